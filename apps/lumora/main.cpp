// Lumora desktop application.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QMessageBox::information(nullptr, QStringLiteral("Lumora"), QStringLiteral("桌面窗口正在制作中，请先使用 lumora-make 制作相册。"));
    return 0;
}
