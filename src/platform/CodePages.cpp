#include "CodePages.h"

#include "Exceptions.h"

#include <cerrno>
#include <iconv.h>

namespace {
QByteArray& OemName() {
    static QByteArray name = "CP850";
    return name;
}

class TIconv {
public:
    TIconv(const QByteArray& to, const QByteArray& from)
        : FHandle(iconv_open(to.constData(), from.constData())) {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw Exception(QStringLiteral("Code page %1 is not available")
                                .arg(QString::fromLatin1(to == "UTF-8" ? from : to)));
    }
    ~TIconv() { iconv_close(FHandle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts one unit of input; false when it cannot be represented.
    bool Convert(const char* in, size_t inSize, QByteArray& out) {
        char buffer[16];
        char* src = const_cast<char*>(in);
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t rc = iconv(FHandle, &src, &inSize, &dst, &dstLeft);
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        if (rc == size_t(-1) || inSize != 0)
            return false;
        out.append(buffer, int(dst - buffer));
        return true;
    }

private:
    iconv_t FHandle;
};
} // namespace

QByteArray EncodeCodePage(const QString& text, const QByteArray& codePage) {
    TIconv cd(codePage, "UTF-8");
    QByteArray out;
    out.reserve(text.size());
    // Character by character, so one unmappable character costs only itself.
    for (int i = 0; i < text.size(); ++i) {
        int len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QByteArray utf8 = text.mid(i, len).toUtf8();
        if (len == 1 && text[i].unicode() < 0x80)
            out += utf8;
        else if (!cd.Convert(utf8.constData(), size_t(utf8.size()), out))
            out += '?';
        i += len - 1;
    }
    return out;
}

QString DecodeCodePage(const QByteArray& bytes, const QByteArray& codePage) {
    TIconv cd("UTF-8", codePage);
    QByteArray utf8;
    utf8.reserve(bytes.size() * 2);
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            utf8 += c;
        else if (!cd.Convert(&c, 1, utf8))
            utf8 += '?';
    }
    return QString::fromUtf8(utf8);
}

QByteArray StrToAnsi(const QString& text) { return EncodeCodePage(text, "CP1252"); }
QString AnsiToStr(const QByteArray& bytes) { return DecodeCodePage(bytes, "CP1252"); }
QByteArray StrToOem(const QString& text) { return EncodeCodePage(text, OemName()); }
QString OemToStr(const QByteArray& bytes) { return DecodeCodePage(bytes, OemName()); }
QByteArray OemCodePage() { return OemName(); }
void SetOemCodePage(const QByteArray& name) { OemName() = name; }
