#include "ui/progress/progress_store.h"

#include "core/progress/progress_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

namespace {

std::filesystem::path diskPath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

QString reasonText(const klangora::ProgressFault& fault) {
    using Kind = klangora::ProgressFaultKind;
    const QString detail = QString::fromStdString(fault.detail);
    switch (fault.kind) {
    case Kind::unreadable:
        return ProgressStore::tr("filen kan ikke læses (%1)").arg(detail);
    case Kind::notProgress:
        return ProgressStore::tr("første linje er ikke »klangora-progress 1«");
    case Kind::laterVersion:
        return ProgressStore::tr("filen er skrevet af en nyere udgave (version %1)").arg(detail);
    case Kind::unknownRecord:
        return ProgressStore::tr("ukendt slags linje »%1«").arg(detail);
    case Kind::fieldCount:
        return ProgressStore::tr("forkert antal felter (%1)").arg(detail);
    case Kind::badTime:
        return ProgressStore::tr("tidspunktet »%1« kan ikke læses").arg(detail);
    case Kind::badNumber:
        return ProgressStore::tr("tallet »%1« kan ikke læses").arg(detail);
    case Kind::badValue:
        return ProgressStore::tr("feltet »%1« kan ikke læses").arg(detail);
    }
    return detail;
}

QString faultLines(const std::vector<klangora::ProgressFault>& faults) {
    constexpr std::size_t kShown = 10;
    QStringList lines;
    for (std::size_t n = 0; n < faults.size() && n < kShown; ++n) {
        lines << (faults[n].line == 0 ? reasonText(faults[n])
                                      : ProgressStore::tr("linje %1: %2")
                                            .arg(faults[n].line)
                                            .arg(reasonText(faults[n])));
    }
    if (faults.size() > kShown) {
        lines << ProgressStore::tr("… og %1 fejl mere").arg(faults.size() - kShown);
    }
    return lines.join('\n');
}

} // namespace

ProgressStore::ProgressStore(QString fileName, QObject* parent)
    : QObject(parent), m_fileName(std::move(fileName)) {}

QString ProgressStore::userFileName() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("klangora/progress.txt");
}

std::string ProgressStore::now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

const std::vector<klangora::ProgressRecord>& ProgressStore::records() {
    if (!m_loaded) {
        reload();
    }
    return m_records;
}

const std::vector<klangora::ProgressRecord>& ProgressStore::reread() {
    reload();
    return m_records;
}

bool ProgressStore::reload() {
    klangora::ProgressLoad load = klangora::loadProgressFile(diskPath(m_fileName), now());
    m_records = std::move(load.records);
    m_loaded = true;
    if (load.faults.empty()) {
        return true;
    }
    const QString faults = faultLines(load.faults);
    if (!load.writable) {
        emit problem(tr("Fremskridtsfilen %1 har fejl:\n%2\nDen kan ikke lægges til side, så "
                        "nye resultater gemmes ikke, før den er flyttet.")
                         .arg(m_fileName, faults));
        return false;
    }
    emit problem(tr("Fremskridtsfilen %1 har fejl:\n%2\nDen er lagt til side som %3. De "
                    "resultater, der kunne læses, gemmes videre.")
                     .arg(m_fileName, faults,
                          QFile::decodeName(load.setAside->filename().string().c_str())));
    save();
    return true;
}

void ProgressStore::save() {
    if (!klangora::saveProgressFile(diskPath(m_fileName), m_records)) {
        emit problem(tr("Resultaterne kunne ikke gemmes i %1.").arg(m_fileName));
    }
}

void ProgressStore::add(klangora::ProgressRecord record) {
    const bool writable = reload();
    m_records.push_back(std::move(record));
    if (writable) {
        save();
    }
    emit changed();
}

void ProgressStore::clear() {
    if (reload()) {
        m_records.clear();
        save();
    }
    emit changed();
}
