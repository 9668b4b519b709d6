#pragma once

#include "HlcStamp.h"

#include <QJsonValue>
#include <QList>
#include <QString>

// One write of one field: what a journal holds, one record per line.
struct SyncRecord {
    HlcStamp stamp;
    QString entity;
    QString key;
    QString field;
    QJsonValue value;
};

// One device's journal file.
struct SyncJournal {
    QString device;
    QString name;
    qint64 written = 0;
    QList<SyncRecord> records;
};
