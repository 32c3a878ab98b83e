#include "core/result_message.h"

std::string ComposeResultMessage(std::string_view handicap_text) {
  std::string message;
  message.reserve(ResultPrefix.size() + handicap_text.size() + ResultSuffix.size());
  message += ResultPrefix;
  message += handicap_text;
  message += ResultSuffix;
  return message;
}
