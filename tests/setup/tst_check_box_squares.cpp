// The team check boxes' squares drawn on Windows, where no SVG renderer
// ships, must be the SVG squares the other systems draw: the PNGs are those
// SVGs rendered, pixel for pixel, at one and at two device pixels per point.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class TestCheckBoxSquares : public QObject
{
    Q_OBJECT

private slots:
    void thePngsAreTheSvgsRendered_data();
    void thePngsAreTheSvgsRendered();
};

void TestCheckBoxSquares::thePngsAreTheSvgsRendered_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scale");
    for (const char *name : {"unchecked", "grayed", "checked"}) {
        QTest::addRow("%s", name) << QString::fromLatin1(name) << 1;
        QTest::addRow("%s@2x", name) << QString::fromLatin1(name) << 2;
    }
}

void TestCheckBoxSquares::thePngsAreTheSvgsRendered()
{
    QFETCH(QString, name);
    QFETCH(int, scale);
    const QString folder = QStringLiteral(SQUARES_FOLDER "/");
    QSvgRenderer svg(folder + name + QStringLiteral(".svg"));
    QVERIFY(svg.isValid());
    QImage rendered(15 * scale, 15 * scale, QImage::Format_ARGB32);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    svg.render(&painter);
    painter.end();

    const QImage png(folder + name + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    QCOMPARE(png.size(), rendered.size());
    QImage pixels = png.convertToFormat(QImage::Format_ARGB32);
    pixels.setDevicePixelRatio(1); // an @2x file is read as two pixels per point
    QCOMPARE(pixels, rendered);
}

QTEST_GUILESS_MAIN(TestCheckBoxSquares)
#include "tst_check_box_squares.moc"
