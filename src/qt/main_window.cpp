// Creation, layout, tick, frame composition and presentation, the window's
// switches and the popup menu.
#include "qt/main_window.h"

#include <QApplication>
#include <QBackingStore>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#include "app/device_pixels.h"
#include "app/rim_resize.h"
#include "app/window_geometry.h"
#include "qt/about_box.h"
#include "qt/folder_maker.h"
#include "qt/program_icon.h"
#include "qt/program_texts.h"
#include "qt/qt_text.h"
#include "qt/x11_window.h"

namespace {
bool IsSquare(const RECT& r) { return r.right - r.left == r.bottom - r.top; }

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
}  // namespace

CQtMainWindow::CQtMainWindow(std::optional<SYSTEMTIME> time) : fixedTime(time) {
  setWindowTitle(ToQString(kProductName));
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setMinimumSize(kMinimumSide, kMinimumSide);
  setWindowFlags(WantedFlags());
  connect(&popup, &QMenu::triggered, this,
          [this](QAction* action) { ornament.Command(CommandOf(action)); });
  connect(&timer, &QTimer::timeout, this, [this] { ornament.Tick(); });
  squareTimer.setSingleShot(true);
  squareTimer.setInterval(kSquaringDelay);
  connect(&squareTimer, &QTimer::timeout, this, [this] { KeepSquare(); });
}

CQtMainWindow::~CQtMainWindow() { ornament.Stop(); }

void CQtMainWindow::Start(SettingsLocation location) {
  ornament.Start(std::move(location), MakeFolderFor);
  // The settings file may choose the language the menu speaks.
  FillPopupMenu(popup, ornament.Language());
  winId();  // the native window, so that its hints are there before mapping
  MarkSkipTaskbarAndPager(*this);
  show();
  AskForSquareAspect(*this);
  if (QWindow* native = windowHandle())
    connect(native, &QWindow::screenChanged, this,
            [this] { ornament.Layout(); });
  ornament.Layout();
  timer.start(kRestingPeriod);
  SetUpTrayIcon();
  ornament.UpdateMenu();
}

RECT CQtMainWindow::ClientRect() const {
  return DeviceClientRect(width(), height(), devicePixelRatioF());
}

bool CQtMainWindow::SystemSpeaksJapanese() const {
  return PosixLocaleIsJapanese(Environment("LC_ALL"),
                               Environment("LC_MESSAGES"), Environment("LANG"));
}

void CQtMainWindow::paintEvent(QPaintEvent*) {
  const CCanvas& canvas = ornament.Frame();
  if (canvas.IsEmpty()) return;
  // The frame goes into the backing store once, its bottom-up rows turned
  // right side up on the way: row by row when the store is an image of the
  // canvas's own format, else by a painter over the canvas's memory.
  if (CopyIntoBackingStore()) return;
  QImage frame(reinterpret_cast<const uchar*>(canvas.Pixels()), canvas.Width(),
               canvas.Height(), qsizetype(canvas.Width()) * 4,
               QImage::Format_ARGB32_Premultiplied);
  const qreal ratio = devicePixelRatioF();
  frame.setDevicePixelRatio(ratio);
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setTransform(QTransform(1, 0, 0, -1, 0, canvas.Height() / ratio));
  painter.drawImage(QPointF(0, 0), frame);
}

bool CQtMainWindow::CopyIntoBackingStore() {
  const CCanvas& canvas = ornament.Frame();
  QBackingStore* store = backingStore();
  QPaintDevice* device = store ? store->paintDevice() : nullptr;
  if (!device || device->devType() != QInternal::Image) return false;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_ARGB32_Premultiplied ||
      image->width() < canvas.Width() || image->height() < canvas.Height())
    return false;
  const std::size_t rowBytes = std::size_t(canvas.Width()) * 4;
  for (int y = 0; y < canvas.Height(); ++y)
    std::memcpy(image->scanLine(y), canvas.Row(y), rowBytes);
  return true;
}

void CQtMainWindow::resizeEvent(QResizeEvent*) {
  if (IsSquare(WindowRect()))
    lastSquareRect = WindowRect();
  else
    squareTimer.start();  // once the window manager has let go
  ornament.Layout();
}

void CQtMainWindow::moveEvent(QMoveEvent*) {
  if (IsSquare(WindowRect())) lastSquareRect = WindowRect();
}

void CQtMainWindow::KeepSquare() {
  const RECT now = WindowRect();
  if (IsSquare(now)) return;
  // The window manager sized the window by its rim without keeping the
  // aspect: square it around the sides that stayed, as WM_SIZING does on
  // Windows.
  const RECT square = SquaredAfterResize(lastSquareRect, now);
  setGeometry(square.left, square.top, square.right - square.left,
              square.bottom - square.top);
  AskForSquareAspect(*this);  // Qt's own size hints just replaced ours
}

void CQtMainWindow::SyncPosition() {
  // Qt may have missed where the window manager put the window when it was
  // mapped; the window manager's move and resize start from Qt's idea of it,
  // and the settings file keeps it.
  if (const auto origin = X11WindowOrigin(*this);
      origin && *origin != geometry().topLeft())
    move(*origin);
}

RECT CQtMainWindow::WindowRect() const {
  const QRect g = geometry();
  return {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

Qt::WindowFlags CQtMainWindow::WantedFlags() const {
  Qt::WindowFlags flags =
      Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
  if (ornament.Switches().stayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (ornament.Switches().clickThrough) flags |= Qt::WindowTransparentForInput;
  return flags;
}

void CQtMainWindow::ApplyWindowFlags() {
  const Qt::WindowFlags flags = WantedFlags();
  QWindow* native = windowHandle();
  if (!native) {
    setWindowFlags(flags);
    return;
  }
  // Straight to the window system: QWidget::setWindowFlags would hide and
  // re-create the window.
  overrideWindowFlags(flags);
  native->setFlags(flags);
}

void CQtMainWindow::SetClickThrough(bool) { ApplyWindowFlags(); }

void CQtMainWindow::SetStayOnTop(bool) { ApplyWindowFlags(); }

void CQtMainWindow::ShowPopupMenu(const QPoint& at) {
  LoseCapture();
  popup.popup(at);
}

void CQtMainWindow::ShowAbout() {
  LoseCapture();
  CAboutBox box(this, ornament.Language());
  box.exec();
}

void CQtMainWindow::SetUpTrayIcon() {
  tray.setIcon(ProgramIcon());
  tray.setToolTip(ToQString(TrayTip()));
  tray.setContextMenu(&popup);
  connect(&tray, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger ||
                reason == QSystemTrayIcon::MiddleClick) {
              raise();
              activateWindow();
            }
          });
  tray.show();
}

void CQtMainWindow::Close() {
  if (!open) return;
  open = false;
  LoseCapture();
  ornament.Stop();  // saves once, whichever way the program ends
  timer.stop();
  tray.hide();
  hide();
  QCoreApplication::quit();
}
