#include "MultipartBody.h"

#include <QTest>

class tst_MultipartBody : public QObject
{
    Q_OBJECT

private slots:
    void parts_data();
    void parts();
};

void tst_MultipartBody::parts_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QList<QByteArray>>("bodies");

    const QByteArray jpeg("\xff\xd8\r\n--not-the-boundary\r\n\xff\xd9", 27);
    QTest::newRow("form data with CR LF")
            << QByteArray("multipart/form-data; charset=utf-8; boundary=0xKhTmLbOuNdArY-1")
            << "--0xKhTmLbOuNdArY-1\r\nContent-Disposition: form-data; name=\"desc\"\r\n\r\n"
               "第一排\r\n--0xKhTmLbOuNdArY-1\r\nContent-Disposition: form-data; name=\"image\"; "
               "filename=\"image.jpeg\"\r\nContent-Type: image/jpeg\r\n\r\n"
                    + jpeg + "\r\n--0xKhTmLbOuNdArY-1--\r\n"
            << true << QList<QByteArray> { "第一排", jpeg };
    QTest::newRow("related parts with bare LF and a quoted boundary")
            << QByteArray("multipart/related; boundary=\"b-2\"")
            << QByteArray("--b-2\nContent-Type: application/atom+xml\n\n<entry/>--b-2\n"
                          "Content-Type: image/jpeg\n\nAAEC\n--b-2--")
            << true << QList<QByteArray> { "<entry/>", "AAEC" };
    QTest::newRow("no boundary") << QByteArray("multipart/form-data") << QByteArray("--x\r\n\r\n")
                                 << false << QList<QByteArray>();
    QTest::newRow("truncated before the closing delimiter")
            << QByteArray("multipart/form-data; boundary=x")
            << QByteArray("--x\r\nContent-Disposition: form-data; name=\"desc\"\r\n\r\nhalf")
            << false << QList<QByteArray>();
}

void tst_MultipartBody::parts()
{
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(bool, readable);
    QFETCH(QList<QByteArray>, bodies);

    const auto parts = MultipartBody::parse(contentType, body);
    QCOMPARE(bool(parts), readable);
    if (!parts)
        return;
    QList<QByteArray> found;
    for (const auto &part : *parts)
        found << part.body;
    QCOMPARE(found, bodies);
    if (contentType.startsWith("multipart/form-data"))
        QCOMPARE(parts->at(1).dispositionParameter("filename"), QByteArray("image.jpeg"));
}

QTEST_APPLESS_MAIN(tst_MultipartBody)
#include "tst_multipartbody.moc"
