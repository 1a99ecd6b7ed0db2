#include "theme/VELSkin.h"

#include <QGuiApplication>
#include <QTest>

class tst_Skin : public QObject
{
    Q_OBJECT

private slots:
    void sharedEntries();
    void values();
    void everyPictureIsDrawn();
    void memoryWarningDropsThePictures();
    void keysWithoutEntries();
};

void tst_Skin::sharedEntries()
{
    VELDefaultSkin skin;
    QCOMPARE(skin.colorWithKey(kColorButtonTextKey), skin.colorWithKey(kColorSettingAuthStatusKey));
    QCOMPARE(*skin.colorWithKey(kColorButtonTextKey), QColor(Qt::white));
    QCOMPARE(skin.imageFileWithKey(kImageBGButtonSCKey), "btn_sc.png");
    QCOMPARE(skin.imageFileWithKey(kImageBGFollowButtonKey), "btn_sc.png");
    QCOMPARE(skin.imageWithKey(kImageBGButtonSCKey), skin.imageWithKey(kImageBGFollowButtonKey));
    QCOMPARE(skin.cachedImageCount(), 1);
    QCOMPARE(skin.fontWithKey(kFontLoginTextKey), skin.fontWithKey(kFontSettingsTextKey));
}

void tst_Skin::values()
{
    VELDefaultSkin skin;
    QCOMPARE(*skin.colorWithKey(kColorHighlightKey), QColor(200, 95, 75));
    QCOMPARE(skin.colorWithKey(kColorShadowKey)->alphaF(), 0.2f);
    QCOMPARE(skin.colorWithKey(kColorClearKey)->alpha(), 0);
    const QFont title = *skin.fontWithKey(kFontNavTitleKey);
    QCOMPARE(title.pixelSize(), 20);
    QVERIFY(title.bold());
    const QFont count = *skin.fontWithKey(kFontEventCellCountKey);
    QCOMPARE(count.pixelSize(), 14);
    QCOMPARE(count.stretch(), int(QFont::Condensed));
    QVERIFY(!skin.fontWithKey(kFontEventDetailTextKey)->bold());
}

void tst_Skin::everyPictureIsDrawn()
{
    VELDefaultSkin skin;
    skin.setDevicePixelRatio(2);
    const QStringList keys = skin.imageKeys();
    QCOMPARE(keys.size(), 80);
    for (const QString &key : keys) {
        const QImage image = skin.imageWithKey(key);
        QVERIFY2(!image.isNull(), qPrintable(key));
        QCOMPARE(image.devicePixelRatio(), 2.0);
        // Drawn, not empty: some pixel is not transparent.
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; y += 1)
            for (int x = 0; x < image.width() && !painted; x += 1)
                painted = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(painted, qPrintable(key));
    }
    QCOMPARE(skin.imageWithKey(kImageTabbarHotKey).size(), QSize(60, 60));
    QCOMPARE(skin.cachedImageCount(), 79); // two keys share one file
}

void tst_Skin::memoryWarningDropsThePictures()
{
    VELDefaultSkin skin;
    const QImage first = skin.imageWithKey(kImageNavbarBackButtonKey);
    QCOMPARE(skin.cachedImageCount(), 1);
    skin.didReceiveMemoryWarning();
    QCOMPARE(skin.cachedImageCount(), 0);
    const QImage again = skin.imageWithKey(kImageNavbarBackButtonKey);
    QCOMPARE(again, first);
    QVERIFY(again.cacheKey() != first.cacheKey()); // drawn anew
}

void tst_Skin::keysWithoutEntries()
{
    VELDefaultSkin skin;
    QVERIFY(skin.imageWithKey(kImagePostAlbumActiviatedKey).isNull());
    QVERIFY(!skin.colorWithKey("NoSuchColour"));
    QVERIFY(!skin.fontWithKey("NoSuchFont"));
}

QTEST_MAIN(tst_Skin)
#include "tst_skin.moc"
