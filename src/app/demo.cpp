#include "app/demo.h"

#include "config/folder.h"
#include "converter/katalog.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {
constexpr int kCzasStartu = 5000;
}

Demo::~Demo()
{
    if (m_emulator.state() != QProcess::NotRunning) {
        m_emulator.terminate();
        if (!m_emulator.waitForFinished(1000))
            m_emulator.kill();
        m_emulator.waitForFinished(1000);
    }
}

bool Demo::uruchom(const QString &folderProgramu, QString &blad)
{
    const QString program = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QStringLiteral("konwerter-emu"));
    m_emulator.setReadChannel(QProcess::StandardOutput);
    m_emulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // With --stdin the emulator ends when our end of its input closes, so it
    // goes with the program however the program ends.
    // The emulated converter starts with the parameters the window restores,
    // so the frames it decodes are of the frame type the simulator builds.
    const FolderProgramu pliki(folderProgramu);
    const ParametryZapisane p = ParametryZapisane::wczytaj(pliki.plikKatalogu());
    QStringList argumenty = {QStringLiteral("--folder"), folderProgramu, QStringLiteral("--stdin"),
                             QStringLiteral("--mode"), QString::number(p.tryb)};
    const QString typ = p.kluczTypuRamki(pliki.plikKatalogu());
    if (typ.size() == 1)
        argumenty << QStringLiteral("--frame") << typ;
    if (p.max.size() == 6)
        argumenty << QStringLiteral("--max") << p.max;
    m_emulator.start(program, argumenty);
    if (!m_emulator.waitForStarted(kCzasStartu)) {
        blad = m_emulator.errorString();
        return false;
    }
    while (!m_emulator.canReadLine()) {
        if (!m_emulator.waitForReadyRead(kCzasStartu)) {
            blad = QStringLiteral("the emulator did not name its device");
            return false;
        }
    }
    m_urzadzenie = QString::fromLocal8Bit(m_emulator.readLine()).trimmed();
    // From here on the emulator's report of every frame goes to our output.
    auto przekaz = [this] {
        const QByteArray dane = m_emulator.readAllStandardOutput();
        std::fwrite(dane.constData(), 1, static_cast<size_t>(dane.size()), stdout);
        std::fflush(stdout);
    };
    QObject::connect(&m_emulator, &QProcess::readyReadStandardOutput, przekaz);
    przekaz();
    return !m_urzadzenie.isEmpty();
}
