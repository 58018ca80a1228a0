// What any toolkit program of this kind pays to start: a bare window of the main window's size that, like
// the program's link label, measures one line of text before it is shown. bench/program.sh times it beside
// the program, so that the program's start can be read on machines of any speed.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Click to visit"));
    window.adjustSize();
    window.resize(371, 182);
    window.show();
    return application.exec();
}
