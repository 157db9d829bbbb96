// The floor that the benchmark measures Dice Shaker against: a plain Qt main window of the same
// content size with a menu bar of the same three menus. A press on its content shakes it the way
// Dice Shaker shakes its window, with a plain precise QTimer and nothing else, so that the timing
// of Qt, the X server and the machine can be told apart from the program's own work.
#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstddef>

namespace {

class ShakingContent : public QWidget {
  public:
    explicit ShakingContent(QWidget* parent) : QWidget(parent) {
        setFixedSize(635, 690);
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    }

  protected:
    void mousePressEvent(QMouseEvent* /*event*/) override {
        if (timer_.isActive()) return;
        startingLeft_ = window()->x();
        step_ = 0;
        timer_.start();
    }

  private:
    void Tick() {
        static constexpr std::array<int, 11> kOffsets{-10, 9, -8, 7, -6, 5, -4, 3, -2, 1, 0};
        window()->move(startingLeft_ + kOffsets[step_], window()->y());
        if (++step_ == kOffsets.size()) timer_.stop();
    }

    QTimer timer_;
    int startingLeft_ = 0;
    std::size_t step_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q")), &app,
                    &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Edit"));
    window.menuBar()->addMenu(QStringLiteral("Help"));
    window.setCentralWidget(new ShakingContent(&window));
    window.show();
    return QApplication::exec();
}
