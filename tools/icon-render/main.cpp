// Rasterises one SVG drawing into a PNG or JPEG of a given size; used by the build to produce the station's icons.
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

int Fail(const QString& message)
{
    QTextStream(stderr) << "vz_icon_render: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Painting onto a QImage needs no display and no platform plugin; the drawings carry no text, so no fonts either.
    QCoreApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 5) {
        return Fail(QStringLiteral("usage: vz_icon_render <source.svg> <output.png|jpg> <width> <height>"));
    }
    const QString source = args.at(1);
    const QString output = args.at(2);
    bool widthOk = false;
    bool heightOk = false;
    const int width = args.at(3).toInt(&widthOk);
    const int height = args.at(4).toInt(&heightOk);
    if (!widthOk || !heightOk || width <= 0 || height <= 0) {
        return Fail(QStringLiteral("bad size %1 x %2").arg(args.at(3), args.at(4)));
    }

    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        return Fail(QStringLiteral("cannot read %1").arg(source));
    }

    // JPEG keeps no alpha: its drawings are laid on white, the others on transparency.
    const QString suffix = QFileInfo(output).suffix().toLower();
    const bool opaque = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }

    QImageWriter writer(output);
    if (opaque) {
        writer.setQuality(95);
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    if (!writer.write(image)) {
        return Fail(QStringLiteral("cannot write %1: %2").arg(output, writer.errorString()));
    }
    return 0;
}
