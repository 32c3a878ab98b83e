#include "ui/result_dialog.h"

#include <QString>

#include "platform/application.h"
#include "platform/message_dialog.h"

void ResultDialog(std::string_view message) {
  const QString caption = Application != nullptr ? Application->Title() : QString();
  platform::ShowMessageDialog(nullptr, caption,
                              QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
}
