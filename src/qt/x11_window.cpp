#include "qt/x11_window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

// The atoms of a window's _NET_WM_STATE as it is now.
std::vector<xcb_atom_t> States(xcb_connection_t* connection,
                               xcb_window_t window, xcb_atom_t property) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024);
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(connection, cookie, nullptr);
  std::vector<xcb_atom_t> atoms;
  if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
    const auto* data =
        static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    atoms.assign(data, data + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  return atoms;
}

xcb_connection_t* X11Connection() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}
}  // namespace

void MarkSkipTaskbarAndPager(QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return;
  const auto id = xcb_window_t(window.winId());
  const xcb_atom_t property = Atom(connection, "_NET_WM_STATE");
  if (property == XCB_ATOM_NONE) return;
  std::vector<xcb_atom_t> atoms = States(connection, id, property);
  for (const char* name :
       {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
    const xcb_atom_t atom = Atom(connection, name);
    if (atom != XCB_ATOM_NONE) atoms.push_back(atom);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, property,
                      XCB_ATOM_ATOM, 32, uint32_t(atoms.size()), atoms.data());
  xcb_flush(connection);
}

void AskForSquareAspect(QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return;
  // WM_SIZE_HINTS: 18 words; the flags first, the aspects at 11 to 14.
  constexpr std::size_t kWords = 18, kMinAspect = 11;
  constexpr std::uint32_t kAspectFlag = 1u << 7;  // PAspect
  const auto id = xcb_window_t(window.winId());
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, id, XCB_ATOM_WM_NORMAL_HINTS,
                       XCB_ATOM_WM_SIZE_HINTS, 0, kWords);
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(connection, cookie, nullptr);
  std::uint32_t hints[kWords] = {};
  if (reply && reply->format == 32) {
    const auto* data =
        static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    const std::size_t words = std::min<std::size_t>(
        kWords, std::size_t(xcb_get_property_value_length(reply)) / 4);
    std::copy_n(data, words, hints);
  }
  std::free(reply);
  hints[0] |= kAspectFlag;
  for (std::size_t i = kMinAspect; i < kMinAspect + 4; ++i) hints[i] = 1;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                      XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                      kWords, hints);
  xcb_flush(connection);
}

std::optional<QPoint> X11WindowOrigin(QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection || !window.windowHandle()) return std::nullopt;
  const auto id = xcb_window_t(window.winId());
  const xcb_screen_t* screen =
      xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (!screen) return std::nullopt;
  const xcb_translate_coordinates_cookie_t cookie =
      xcb_translate_coordinates(connection, id, screen->root, 0, 0);
  xcb_translate_coordinates_reply_t* reply =
      xcb_translate_coordinates_reply(connection, cookie, nullptr);
  if (!reply) return std::nullopt;
  // Device pixels on the server, logical ones in Qt.
  const qreal ratio = window.devicePixelRatioF();
  const QPoint origin(qRound(reply->dst_x / ratio),
                      qRound(reply->dst_y / ratio));
  std::free(reply);
  return origin;
}

bool X11DisplayAnswers(std::string_view display) {
  const std::string name(display);
  xcb_connection_t* connection = xcb_connect(name.c_str(), nullptr);
  const bool answers = connection && !xcb_connection_has_error(connection);
  if (connection) xcb_disconnect(connection);
  return answers;
}
