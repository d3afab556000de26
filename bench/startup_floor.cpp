// The toolkit's floor: the least a Qt 6 program can do to show the same
// catalogue, decoded from the same compiled-in GBK bytes, in a text area.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringDecoder>

#include "firstpaint.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFile file(QStringLiteral(":/catalogue/catalogue.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QStringDecoder gbk("GBK");
    QPlainTextEdit edit;
    edit.setPlainText(gbk(file.readAll()));
    edit.resize(672, 388); // the viewer's text area as it starts
    edit.show();
    new FirstPaintProbe(edit);
    return app.exec();
}
