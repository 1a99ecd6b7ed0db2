#include "TestHome.h"
#include "TestServer.h"
#include "api/VELService.h"
#include "storage/VELFileCache.h"
#include "storage/VELImageCache.h"
#include "storage/VELImageUtils.h"
#include "storage/VELImageView.h"

#include <QBuffer>
#include <QDir>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Velari_StoragePlugin)

namespace {

QByteArray jpegOf(QColor color, QSize size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

TestResponse picture(const QByteArray &bytes)
{
    TestResponse response;
    response.headers = { { "Content-Type", "image/jpeg" } };
    response.body = bytes;
    return response;
}

} // namespace

class tst_Images : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholePictureIsCachedAndShownAgainWithoutARequest();
    void pictureWithoutMatchingLengthIsShownNotCached();
    void failedDownloadKeepsThePlaceholderAndFades();
    void onlyTheCurrentUrlIsShown();
    void oneRequestForManyViews();
    void sizeVariants_data();
    void sizeVariants();
    void qmlUsesTheItem();

private:
    QString url(const char *path) const { return m_server->url(QString::fromLatin1(path)).toString(); }
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TestServer> m_server;
};

void tst_Images::init()
{
    m_home = std::make_unique<TestHome>();
    m_server = std::make_unique<TestServer>();
    QVERIFY(m_server->listen());
}

void tst_Images::cleanup()
{
    m_server.reset();
    m_home.reset();
}

void tst_Images::wholePictureIsCachedAndShownAgainWithoutARequest()
{
    m_server->route("GET", "/view/event_poster/median/public/1.jpg", picture(jpegOf(Qt::red)));
    const QString poster = url("/view/event_poster/median/public/1.jpg");
    VELImageView first;
    QList<qreal> opacities;
    connect(&first, &QQuickItem::opacityChanged, this, [&] { opacities << first.opacity(); });
    first.setImageUrl(poster);
    QVERIFY(!first.isLoaded());
    QTRY_VERIFY(first.isLoaded());
    QCOMPARE(first.imageSize(), QSize(40, 30));
    QVERIFY(first.isFading());
    QTRY_COMPARE(first.opacity(), 1.0);
    QCOMPARE(opacities.first(), VELImageView::kFadeStartOpacity);
    QVERIFY(VELFileCache::fileExist(poster));

    // The next run: memory is empty, the disk still has it.
    VELImageCache::sharedInstance().clearMemory();
    VELImageView second;
    second.setImageUrl(poster);
    QVERIFY(second.isLoaded());
    QVERIFY(!second.isFading());
    QCOMPARE(second.opacity(), 1.0);
    QCOMPARE(m_server->requestCount(), 1);
}

void tst_Images::pictureWithoutMatchingLengthIsShownNotCached()
{
    // Sent compressed: "Content-Length" counts the compressed bytes, not the picture's.
    TestResponse response = picture(jpegOf(Qt::blue));
    response.gzip = true;
    m_server->route("GET", "/photo.jpg", response);
    VELImageView view;
    view.setImageUrl(url("/photo.jpg"));
    QTRY_VERIFY(view.isLoaded());
    QVERIFY(!VELFileCache::fileExist(url("/photo.jpg")));
    VELImageView again;
    again.setImageUrl(url("/photo.jpg"));
    QVERIFY(!again.isLoaded());
    QTRY_VERIFY(again.isLoaded());
    QCOMPARE(m_server->requestCount(), 2);
}

void tst_Images::failedDownloadKeepsThePlaceholderAndFades()
{
    m_server->route("GET", "/broken.jpg", TestResponse::text("not a picture", 404));
    QVERIFY(QDir().mkpath(m_home->path()));
    const QString holder = m_home->path() + "/holder.png";
    QImage placeholder(12, 16, QImage::Format_ARGB32);
    placeholder.fill(Qt::lightGray);
    QVERIFY(placeholder.save(holder));
    VELImageView view;
    view.setPlaceholder(QUrl::fromLocalFile(holder));
    QCOMPARE(view.imageSize(), QSize(12, 16));
    view.setImageUrl(url("/broken.jpg"));
    QTRY_VERIFY(view.isFading());
    QVERIFY(!view.isLoaded());
    QCOMPARE(view.imageSize(), QSize(12, 16));
    QVERIFY(!VELFileCache::fileExist(url("/broken.jpg")));
    // An empty URL changes nothing.
    view.setImageUrl(QString());
    QCOMPARE(view.imageUrl(), url("/broken.jpg"));
}

void tst_Images::onlyTheCurrentUrlIsShown()
{
    TestResponse slow = picture(jpegOf(Qt::green, QSize(10, 10)));
    slow.delayMs = 300;
    m_server->route("GET", "/a.jpg", slow);
    m_server->route("GET", "/b.jpg", picture(jpegOf(Qt::yellow, QSize(20, 20))));
    VELImageView view;
    view.setImageUrl(url("/a.jpg"));
    view.setImageUrl(url("/b.jpg"));
    QTRY_VERIFY(view.isLoaded());
    QCOMPARE(view.imageSize(), QSize(20, 20));
    // A's reply comes later and is kept for later, but not shown here.
    QTRY_VERIFY(VELFileCache::fileExist(url("/a.jpg")));
    QCOMPARE(view.imageSize(), QSize(20, 20));
}

void tst_Images::oneRequestForManyViews()
{
    TestResponse slow = picture(jpegOf(Qt::cyan));
    slow.delayMs = 100;
    m_server->route("GET", "/icon/u1-1.jpg", slow);
    VELImageView views[3];
    for (VELImageView &view : views)
        view.setImageUrl(url("/icon/u1-1.jpg"));
    for (VELImageView &view : views)
        QTRY_VERIFY(view.isLoaded());
    QCOMPARE(m_server->requestCount(), 1);
    // Signed like every request to the service.
    VELService::sharedInstance().setClientId("0123456789abcdef0123456789abcdef");
    VELImageCache::sharedInstance().clearMemory();
    QFile::remove(VELFileCache::imagePath(url("/icon/u1-1.jpg")));
    VELImageView signedView;
    signedView.setImageUrl(url("/icon/u1-1.jpg"));
    QTRY_VERIFY(signedView.isLoaded());
    QCOMPARE(m_server->requests().last().query(), QByteArray("apikey=0123456789abcdef0123456789abcdef"));
}

void tst_Images::sizeVariants_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("large");
    QTest::addColumn<QString>("avatar");

    QTest::newRow("picon") << "http://img.velari.com/view/event_poster/picon/public/1.jpg"
                           << "http://img.velari.com/view/event_poster/large/public/1.jpg"
                           << "http://img.velari.com/view/event_poster/picon/pulblic/1.jpg";
    QTest::newRow("raw") << "http://img.velari.com/view/photo/raw/public/p2.jpg"
                         << "http://img.velari.com/view/photo/large/public/p2.jpg"
                         << "http://img.velari.com/view/photo/raw/pulblic/p2.jpg";
    QTest::newRow("no size word") << "http://img.velari.com/pics/1.jpg"
                                  << "http://img.velari.com/pics/1.jpg"
                                  << "http://img.velari.com";
    QTest::newRow("avatar") << "http://img.velari.com/icon/u1001-1.jpg?apikey=k"
                            << "http://img.velari.com/icon/u1001-1.jpg?apikey=k"
                            << "http://img.velari.com/icon/ul1001-1.jpg";
}

void tst_Images::sizeVariants()
{
    QFETCH(QString, url);
    QFETCH(QString, large);
    QFETCH(QString, avatar);
    QCOMPARE(VELImageUtils::largeImageURL(url), large);
    QCOMPARE(VELImageUtils::largeAvatarURL(url), avatar);
}

void tst_Images::qmlUsesTheItem()
{
    m_server->route("GET", "/q.jpg", picture(jpegOf(Qt::magenta)));
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(QStringLiteral("import Velari.Storage\nVELImageView { width: 80; height: 60;"
                                     " fillMode: VELImageView.PreserveAspectFit; imageUrl: \"%1\" }")
                              .arg(url("/q.jpg"))
                              .toUtf8(),
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    QVERIFY2(object, qPrintable(component.errorString()));
    auto *view = qobject_cast<VELImageView *>(object.get());
    QVERIFY(view);
    QCOMPARE(view->fillMode(), VELImageView::PreserveAspectFit);
    QTRY_VERIFY(view->property("loaded").toBool());
}

QTEST_MAIN(tst_Images)
#include "tst_images.moc"
