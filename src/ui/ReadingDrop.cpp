#include "ui/ReadingDrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace velloran {

QString DroppedReading(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix() == QLatin1String("vlr")) return path;
    }
    return {};
}

}  // namespace velloran
