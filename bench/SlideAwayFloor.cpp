// The floor of the slide-away benchmark: a bare window of the tools window's size and controls,
// placed at the centre of the screen outside the window manager's hands, that makes a given
// number of fold, drop and run-off steps of one pixel each. After every step it waits for the X
// server's answer about the window's geometry, so the server has applied the step before the
// next one, as in the exit. Prints the microseconds from the first step to the window's hiding.
//
//   qor_slideaway_floor FOLDS DROPS RUNOFFS

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

void settle(QWidget& window) {
    const QDeadlineTimer settled(400), exposed(5000);
    while (!settled.hasExpired() || (!window.windowHandle()->isExposed() && !exposed.hasExpired()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool step(xcb_connection_t* connection, xcb_window_t window, std::uint16_t field,
          std::int32_t value) {
    const auto raw = std::uint32_t(value);
    xcb_configure_window(connection, window, field, &raw);
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    std::free(reply);
    return reply != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDS DROPS RUNOFFS\n", argv[0]);
        return 2;
    }
    const int folds = std::atoi(argv[1]), drops = std::atoi(argv[2]), runOffs = std::atoi(argv[3]);
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) {
        std::fprintf(stderr, "%s needs an X server\n", argv[0]);
        return 2;
    }

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    window.resize(551, 324);
    const QRect buttons[] = {{0, 288, 233, 33},  {8, 8, 81, 25},   {104, 8, 89, 25},
                             {208, 8, 81, 25},   {8, 48, 81, 33},  {104, 48, 89, 33},
                             {208, 48, 81, 33},  {8, 104, 81, 33}, {104, 104, 89, 33},
                             {208, 104, 81, 33}, {8, 152, 81, 41}, {304, 272, 233, 33}};
    for (const QRect& box : buttons) {
        auto* button = new QPushButton("Button", &window);
        button->setGeometry(box);
        button->setStyleSheet("QPushButton { background-color: red; border: 2px solid; }");
    }
    auto* text = new QLineEdit("Text1", &window);
    text->setGeometry(336, 72, 201, 25);
    text->setEchoMode(QLineEdit::Password);
    auto* label = new QLabel("Label", &window);
    label->setGeometry(336, 40, 201, 33);
    window.show();
    QRect frame = window.frameGeometry();
    frame.moveCenter(window.screen()->availableGeometry().center());
    window.move(frame.topLeft());
    settle(window);

    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window.winId());
    int left = frame.x(), top = frame.y(), height = frame.height();
    QElapsedTimer clock;
    clock.start();
    bool applied = true;
    for (int i = 0; i < folds; ++i)
        applied &= step(connection, id, XCB_CONFIG_WINDOW_HEIGHT, --height);
    for (int i = 0; i < drops; ++i)
        applied &= step(connection, id, XCB_CONFIG_WINDOW_Y, ++top);
    for (int i = 0; i < runOffs; ++i)
        applied &= step(connection, id, XCB_CONFIG_WINDOW_X, ++left);
    window.hide();
    const qint64 elapsed = clock.nsecsElapsed();
    if (!applied) {
        std::fprintf(stderr, "the window was lost on the X server\n");
        return 1;
    }
    std::printf("%lld\n", elapsed / 1000);
    return 0;
}
