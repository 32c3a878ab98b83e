#include "platform/application_title.h"

#include <unistd.h>

#include <QString>
#include <vector>

namespace platform {
namespace {

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length in bytes of the whole UTF-8 character that begins at text[0]. A byte
// that does not begin a well-formed character counts as a character of its own,
// so that no byte is ever lost or split off.
std::size_t FirstCharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuationByte(static_cast<unsigned char>(text[i]))) return 1;
  }
  return length;
}

// The longest prefix of at most `limit` bytes that ends on a character boundary.
std::string_view CutToWholeCharacters(std::string_view text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + FirstCharacterLength(text.substr(end));
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

std::string DeriveApplicationTitle(std::string_view path) {
  // In UTF-8 the bytes of "/" and "." never occur inside a multi-byte
  // character, so searching bytes finds whole characters only.
  std::string_view name = path;
  if (const auto slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
  if (const auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);

  // The first whole character keeps its case; the rest goes to lower case
  // with the Unicode rules, so that "ÄRGER" becomes "Ärger".
  const std::size_t first = FirstCharacterLength(name);
  std::string title(name.substr(0, first));
  const std::string_view rest = name.substr(first);
  bool ascii = true;
  for (const char c : rest) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    for (const char c : rest) title += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  } else {
    title += QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size())).toLower().toStdString();
  }
  // The limit applies to the title, not to the folders above the file: a
  // program installed deep down a long path keeps its proper name.
  return std::string(CutToWholeCharacters(title, kMaxTitleBytes));
}

std::string ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExecutableFileName() {
  const std::string path = ExecutablePath();
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace platform
