// The floor the menu-opening benchmark holds the program against: a Qt
// Widgets window like the sheet (frameless, black, the sheet's size) whose
// right-button release opens a QMenu with the sheet's four items, made afresh
// for each opening as ours is. With --reuse one QMenu is made once and opened
// again each time.
//
//   qmenu_anchor [--reuse] [--at X,Y]
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

class AnchorWindow : public QWidget {
public:
    explicit AnchorWindow(bool reuse) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        if (reuse) {
            kept_ = new QMenu(this);
            AddItems(*kept_);
        }
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::RightButton) return;
        const QPoint at = event->globalPosition().toPoint();
        if (kept_) {
            kept_->exec(at);
            return;
        }
        QMenu menu(this);
        AddItems(menu);
        menu.exec(at);
    }

private:
    static void AddItems(QMenu& menu) {
        for (const char* caption : {"Add &Rectangle", "Add Circle", "Add &Ellipse", "&Close"})
            menu.addAction(QString::fromUtf8(caption));
    }

    QMenu* kept_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    bool reuse = false;
    int x = 274, y = 309;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--reuse") == 0) {
            reuse = true;
        } else if (std::strcmp(argv[i], "--at") == 0 && i + 1 < argc &&
                   std::sscanf(argv[i + 1], "%d,%d", &x, &y) == 2) {
            ++i;
        } else {
            std::fprintf(stderr, "usage: %s [--reuse] [--at X,Y]\n", argv[0]);
            return 2;
        }
    }
    AnchorWindow window(reuse);
    window.setWindowTitle(QStringLiteral("Anchor"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setGeometry(x, y, 651, 338);
    window.show();
    return application.exec();
}
