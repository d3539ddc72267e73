#include "widgets/IconImages.h"

#include <QGuiApplication>
#include <QTest>
#include <set>

using namespace Qt::StringLiterals;

namespace {

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    }
    return count;
}

} // namespace

// The pictures of the icon list and the program's artwork, from the resources.
class TestIconImages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void iconList_everyPictureAtEveryScale_data();
    void iconList_everyPictureAtEveryScale();
    void iconList_picturesAreDistinct();
    void iconBitmap_isThePictureOfTheKind_data();
    void iconBitmap_isThePictureOfTheKind();
    void outsideTheList_isNoPicture();
    void artwork();

private:
    TIconImages icons_;
};

void TestIconImages::iconList_everyPictureAtEveryScale_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("150 %") << 1.5;
    QTest::newRow("200 %") << 2.0;
}

void TestIconImages::iconList_everyPictureAtEveryScale()
{
    QFETCH(qreal, ratio);
    const int pixels = qRound(TIconImages::IconSize * ratio);
    for (int index = 0; index < IconImageCount; ++index) {
        const QPixmap pixmap = icons_.Pixmap(index, ratio);
        QCOMPARE(pixmap.size(), QSize(pixels, pixels));
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        // Image 12 is the blank of the Anywhere context; every other one shows something.
        const int opaque = OpaquePixels(pixmap.toImage());
        QVERIFY2(index == 12 ? opaque == 0 : opaque > pixels * pixels / 8,
                 qPrintable(QString::number(index)));
        QVERIFY(!icons_.Icon(index).pixmap(QSize(16, 16), ratio).isNull());
    }
}

void TestIconImages::iconList_picturesAreDistinct()
{
    std::set<QByteArray> seen;
    for (int index = 0; index < IconImageCount; ++index) {
        const QImage image = icons_.Pixmap(index, 1).toImage();
        QVERIFY(seen.emplace(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())
                    .second);
    }
}

void TestIconImages::iconBitmap_isThePictureOfTheKind_data()
{
    QTest::addColumn<TIconKind>("kind");
    QTest::addColumn<int>("index");
    QTest::newRow("task") << TIconKind::Task << 0;
    QTest::newRow("done") << TIconKind::Done << 6;
    QTest::newRow("place: the house") << TIconKind::PlaceContext << 13;
    QTest::newRow("person") << TIconKind::PersonContext << 15;
    QTest::newRow("phone") << TIconKind::PhoneContext << 16;
    QTest::newRow("anywhere: the blank") << TIconKind::AnywhereContext << 12;
}

void TestIconImages::iconBitmap_isThePictureOfTheKind()
{
    QFETCH(TIconKind, kind);
    QFETCH(int, index);

    const QImage bitmap = icons_.IconBitmap(kind);
    QCOMPARE(bitmap.size(), QSize(16, 16));
    QCOMPARE(bitmap, icons_.Pixmap(index, 1).toImage());

    const QImage sharp = icons_.IconBitmap(kind, 4);
    QCOMPARE(sharp.size(), QSize(64, 64));
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(16, 16));
}

void TestIconImages::outsideTheList_isNoPicture()
{
    QVERIFY(icons_.Pixmap(-1, 1).isNull());
    QVERIFY(icons_.Pixmap(IconImageCount, 1).isNull());
    QVERIFY(icons_.Icon(IconImageCount).isNull());
}

void TestIconImages::artwork()
{
    QVERIFY(!TIconImages::ProgramIcon().pixmap(QSize(256, 256)).isNull());
    QVERIFY(!TIconImages::ProgramIcon().pixmap(QSize(16, 16), 2).isNull());
    const QPixmap splash = TIconImages::SplashPicture(2);
    QCOMPARE(splash.size(), TIconImages::SplashSize * 2);
    QCOMPARE(splash.deviceIndependentSize(), QSizeF(TIconImages::SplashSize));
    QCOMPARE(OpaquePixels(splash.toImage()), splash.width() * splash.height());
}

QTEST_MAIN(TestIconImages)
#include "tst_iconimages.moc"
