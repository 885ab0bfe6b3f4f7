#pragma once

// The learner's progress as the program keeps it: the records of the progress file, read when
// first needed and written anew with every record added, so that a result is on disk the moment
// it is known. The file is read again before each write, so that two windows of the program
// add to one progress instead of writing over each other's. What goes wrong (a damaged file set
// aside, a file that cannot be written) is told in words for the user.
#include "core/progress/progress_record.h"

#include <QObject>
#include <QString>

#include <vector>

class ProgressStore : public QObject {
    Q_OBJECT

public:
    explicit ProgressStore(QString fileName, QObject* parent = nullptr);

    // The user's own file: klangora/progress.txt in the data folder (XDG_DATA_HOME, else
    // ~/.local/share).
    static QString userFileName();
    // The present moment as records keep it.
    static std::string now();

    QString fileName() const { return m_fileName; }
    // The records as last read, and as read from the file anew.
    const std::vector<klangora::ProgressRecord>& records();
    const std::vector<klangora::ProgressRecord>& reread();
    void add(klangora::ProgressRecord record);
    // Every record gone, the file left with its first line only.
    void clear();

signals:
    void changed();
    void problem(const QString& message);

private:
    // False when the file on disk must not be written over.
    bool reload();
    void save();

    QString m_fileName;
    std::vector<klangora::ProgressRecord> m_records;
    bool m_loaded = false;
};
