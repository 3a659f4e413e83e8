// lumora-make: produces an album video from the command line.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::fprintf(stderr, "lumora-make: 制作功能尚未完成\n");
    return 2;
}
