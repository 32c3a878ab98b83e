#include "core/exception.h"

#include <gtest/gtest.h>

TEST(Exception, CarriesItsMessageAndClassName) {
  try {
    throw EZeroDivide("0 による浮動小数点数除算");
  } catch (const EMathError& e) {
    EXPECT_EQ(e.ClassName(), "EZeroDivide");
    EXPECT_EQ(e.Message(), "0 による浮動小数点数除算");
    EXPECT_NE(dynamic_cast<const EExternal*>(&e), nullptr);
  }
}
