#include "pictures/SvgCheck.h"

#include <QByteArray>
#include <QXmlStreamReader>

std::string SvgCheck::Problem(std::string_view bytes) {
    // The SVG reader inflates compressed content without limit, and an image element makes it
    // decode a bitmap of any size it is given, or open another file, which may be a named pipe
    // that blocks it for ever: pictures here hold neither.
    if (bytes.starts_with("\x1f\x8b")) return "compressed, which a picture may not be";
    QXmlStreamReader xml(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"image") {
            return "holds an image element, which a picture may not";
        }
    }
    if (xml.hasError()) return "cannot be decoded (" + xml.errorString().toStdString() + ")";
    return {};
}
