#include "platform/fatal_error.h"

#include <cstdio>

#include <QApplication>

#include "platform/application_title.h"
#include "platform/code_address.h"
#include "platform/error_box.h"
#include "platform/error_description.h"

namespace platform {
namespace {

void WriteLine(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

bool CanShowBox() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace

std::string LastResortText(std::string_view class_name, std::string_view module, std::uintptr_t address,
                           std::string_view message) {
  std::string text;
  text.append(class_name).append("がモジュール ").append(module).append(" の ");
  text.append(FormatCodeAddress(address)).append(" で発生しました。\n").append(message);
  if (!message.ends_with('.')) text += '.';
  return text;
}

std::string RuntimeErrorText(int code, std::uintptr_t address) {
  return "Runtime error " + std::to_string(code) + " at " + FormatCodeAddress(address);
}

void ReportFatalError(const std::exception_ptr& error) noexcept {
  try {
    const ErrorDescription description = DescribeError(error);
    const std::string text =
        LastResortText(description.class_name, ExecutableFileName(), ThrowSiteOffset(error), description.message);
    WriteLine(text);
    if (CanShowBox()) ErrorBox::Show(QString::fromUtf8("アプリケーション エラー"), QString::fromStdString(text));
  } catch (...) {
  }
}

void ReportStartupFailure(std::uintptr_t address, bool can_show_box) noexcept {
  try {
    const std::string text = RuntimeErrorText(kExitStartupFailure, address);
    WriteLine(text);
    if (can_show_box && CanShowBox()) ErrorBox::Show(QStringLiteral("Error"), QString::fromStdString(text));
  } catch (...) {
  }
}

}  // namespace platform
