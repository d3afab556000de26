#include "app/catalogue.h"

#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace catalogue {

namespace {
constexpr unsigned kGbkCodePage = 936;
}

QByteArray rawBytes()
{
    QFile file(QString::fromLatin1(kResourcePath));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the built-in item catalogue is missing from the program");
    return file.readAll();
}

const QString &text()
{
    static const QString decoded = [] {
        QString t = decodeGbk(rawBytes());
        if (t.isNull())
            qFatal("the built-in item catalogue is not valid GBK text");
        return t;
    }();
    return decoded;
}

QString decodeGbk(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("");
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    if (decoder.isValid()) {
        QString result = decoder(bytes);
        return decoder.hasError() ? QString() : result;
    }
#ifdef Q_OS_WIN
    // Qt builds without ICU still have the system's own code page 936.
    const int size = int(bytes.size());
    const int n = MultiByteToWideChar(
        kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.constData(), size, nullptr, 0);
    if (n <= 0)
        return QString();
    QString result(n, Qt::Uninitialized);
    MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.constData(), size,
        reinterpret_cast<wchar_t *>(result.data()), n);
    return result;
#else
    Q_UNUSED(kGbkCodePage);
    return QString();
#endif
}

} // namespace catalogue
