#include "platform/fatal_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/exception.h"
#include "platform/code_address.h"
#include "platform/error_description.h"

namespace {

TEST(LastResortTextTest, FollowsTheReportFormat) {
  EXPECT_EQ(platform::LastResortText("EConvertError", "kotorina", 0x1A2B, "壊れています"),
            "EConvertErrorがモジュール kotorina の 0000000000001A2B で発生しました。\n壊れています.");
  // A message that ends in a full stop gets no second one; any other ending,
  // even ")" or nothing at all, gets one.
  EXPECT_EQ(platform::LastResortText("E", "m", 0, "done."), "Eがモジュール m の 0000000000000000 で発生しました。\ndone.");
  EXPECT_EQ(platform::LastResortText("E", "m", 0, "(x)"), "Eがモジュール m の 0000000000000000 で発生しました。\n(x).");
  EXPECT_EQ(platform::LastResortText("E", "m", 0, ""), "Eがモジュール m の 0000000000000000 で発生しました。\n.");
}

TEST(RuntimeErrorTextTest, NamesCodeAndAddress) {
  EXPECT_EQ(platform::RuntimeErrorText(217, 0xFF38), "Runtime error 217 at 000000000000FF38");
}

[[gnu::noinline]] void RaiseConvertError() { throw EConvertError("raised here"); }

std::exception_ptr Catch(void (*raise)()) {
  try {
    raise();
  } catch (...) {
    return std::current_exception();
  }
  return nullptr;
}

TEST(ThrowSiteTest, PointsIntoTheFunctionThatRaised) {
  const std::exception_ptr error = Catch(RaiseConvertError);
  const std::uintptr_t site = platform::ThrowSiteOffset(error);
  const std::uintptr_t function = platform::ModuleOffset(reinterpret_cast<const void*>(&RaiseConvertError));
  ASSERT_NE(function, 0u);
  EXPECT_GT(site, function);
  EXPECT_LT(site, function + 256);
}

[[gnu::noinline]] void RaiseOverflow() { throw EOverflow("raised later"); }

TEST(ThrowSiteTest, AStaleNoteIsNeverTakenForAnotherErrorsSite) {
  const std::exception_ptr first = Catch(RaiseConvertError);
  const std::exception_ptr second = Catch(RaiseOverflow);
  // Only the last throw is noted: the first error's site is unknown now,
  // rather than wrongly the second's.
  EXPECT_EQ(platform::ThrowSiteOffset(first), 0u);
  EXPECT_NE(platform::ThrowSiteOffset(second), 0u);
  EXPECT_EQ(platform::ThrowSiteOffset(nullptr), 0u);
}

TEST(DescribeErrorTest, NamesClassAndMessageOfEveryKind) {
  using platform::DescribeError;
  auto convert = DescribeError(std::make_exception_ptr(EConvertError("not a number")));
  EXPECT_EQ(convert.class_name, "EConvertError");
  EXPECT_EQ(convert.message, "not a number");
  EXPECT_FALSE(convert.silent);

  auto zero = DescribeError(std::make_exception_ptr(EZeroDivide("zero")));
  EXPECT_EQ(zero.class_name, "EZeroDivide");

  EXPECT_TRUE(DescribeError(std::make_exception_ptr(EAbort(""))).silent);

  auto foreign = DescribeError(std::make_exception_ptr(std::out_of_range("index")));
  EXPECT_EQ(foreign.class_name, "std::out_of_range");
  EXPECT_EQ(foreign.message, "index");
  EXPECT_FALSE(foreign.silent);

  auto number = DescribeError(std::make_exception_ptr(7));
  EXPECT_EQ(number.class_name, "int");
  EXPECT_FALSE(number.silent);
}

}  // namespace
