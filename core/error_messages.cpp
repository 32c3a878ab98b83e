#include "core/error_messages.h"

std::string NotANumberMessage(std::string_view text) {
  constexpr std::string_view tail = "' は浮動小数点数ではありません";
  std::string message;
  message.reserve(1 + text.size() + tail.size());
  message += '\'';
  message += text;
  message += tail;
  return message;
}
