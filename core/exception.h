#pragma once
// The error family. Every error the program raises is an Exception carrying
// the message shown to the user (UTF-8) and the name of its class, which the
// last-resort report prints.

#include <exception>
#include <string>
#include <string_view>
#include <utility>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const std::string& Message() const noexcept { return message_; }
  virtual std::string_view ClassName() const noexcept { return "Exception"; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define KOTORINA_EXCEPTION_CLASS(Name, Base)                                  \
  class Name : public Base {                                                  \
   public:                                                                    \
    using Base::Base;                                                         \
    std::string_view ClassName() const noexcept override { return #Name; }    \
  }

// A text that is not a number.
KOTORINA_EXCEPTION_CLASS(EConvertError, Exception);
// Faults of the processor or its arithmetic.
KOTORINA_EXCEPTION_CLASS(EExternal, Exception);
KOTORINA_EXCEPTION_CLASS(EMathError, EExternal);
KOTORINA_EXCEPTION_CLASS(EZeroDivide, EMathError);
KOTORINA_EXCEPTION_CLASS(EInvalidOp, EMathError);
KOTORINA_EXCEPTION_CLASS(EOverflow, EMathError);
// The silent kind: ends what raised it and is never shown.
KOTORINA_EXCEPTION_CLASS(EAbort, Exception);

#undef KOTORINA_EXCEPTION_CLASS
