// File managers know a parameter file by its first line, whatever its name.
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "engine/file/param_file.h"

namespace zephyrin::testing {

class MimeTypeTest : public QObject {
    Q_OBJECT

    QTemporaryDir data_;

private slots:
    void initTestCase() {
        // The installed type, in a data folder of its own ahead of the system's.
        QVERIFY(QDir().mkpath(data_.filePath(QStringLiteral("mime/packages"))));
        QVERIFY(QFile::copy(QStringLiteral(ZEPHYRIN_MIME_XML),
                            data_.filePath(QStringLiteral("mime/packages/org.zephyrin.Zephyrin.xml"))));
        QCOMPARE(
            QProcess::execute(QStringLiteral(UPDATE_MIME_DATABASE), {data_.filePath(QStringLiteral("mime"))}),
            0);
        qputenv("XDG_DATA_DIRS", (data_.path() + QStringLiteral(":/usr/share")).toLocal8Bit());
    }

    void aWrittenParameterFileIsKnownByItsContent() {
        TFractalRec v;
        v.zoom = 0.01;
        const QString path = data_.filePath(QStringLiteral("no extension"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(WriteParameterText(v, Effects{}, '.')));
        file.close();
        const QMimeDatabase types;
        QCOMPARE(types.mimeTypeForFile(path, QMimeDatabase::MatchContent).name(),
                 QStringLiteral("application/x-zephyrin-parameters"));
        QCOMPARE(types.mimeTypeForFile(QStringLiteral("flower.zpr"), QMimeDatabase::MatchExtension).name(),
                 QStringLiteral("application/x-zephyrin-parameters"));
    }
};

}  // namespace zephyrin::testing

QTEST_GUILESS_MAIN(zephyrin::testing::MimeTypeTest)
#include "mime_type_test.moc"
