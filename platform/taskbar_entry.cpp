#include "platform/taskbar_entry.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

void Replace(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
             const QByteArray& value) {
  if (property == XCB_ATOM_NONE || type == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                      static_cast<std::uint32_t>(value.size()), value.constData());
}

bool IsLatin1(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 0xFF) return false;
  }
  return true;
}

}  // namespace

void LabelTaskbarEntry(QWidget* window, const QString& label) {
  if (window == nullptr || !window->isWindow() || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  // Before Qt has made the native window there is nothing to label; the
  // caller comes back when the window is shown.
  QWindow* handle = window->windowHandle();
  if (connection == nullptr || handle == nullptr || handle->handle() == nullptr) return;
  const auto id = static_cast<xcb_window_t>(handle->winId());

  static const xcb_atom_t utf8_string = InternAtom(connection, "UTF8_STRING");
  static const xcb_atom_t net_wm_icon_name = InternAtom(connection, "_NET_WM_ICON_NAME");

  const QByteArray utf8 = label.toUtf8();
  // The ICCCM's own properties are Latin-1 STRINGs; a label beyond Latin-1
  // goes as UTF8_STRING, which every current taskbar reads.
  const bool latin1 = IsLatin1(label);
  const QByteArray text = latin1 ? label.toLatin1() : utf8;
  const xcb_atom_t text_type = latin1 ? static_cast<xcb_atom_t>(XCB_ATOM_STRING) : utf8_string;

  Replace(connection, id, XCB_ATOM_WM_ICON_NAME, text_type, text);
  Replace(connection, id, net_wm_icon_name, utf8_string, utf8);
  // WM_CLASS: instance name and class name, each ending in a zero byte.
  QByteArray wm_class = text;
  wm_class.append('\0').append(text).append('\0');
  Replace(connection, id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, wm_class);
  xcb_flush(connection);
}

}  // namespace platform
