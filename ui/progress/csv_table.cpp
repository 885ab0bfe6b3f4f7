#include "ui/progress/csv_table.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace {

QString csvField(const QVariant& value) {
    QString text = value.toString();
    if (text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r')) {
        text = '"' + text.replace('"', "\"\"") + '"';
    }
    return text;
}

} // namespace

QString csvText(const QAbstractItemModel& model) {
    QStringList fields;
    for (int column = 0; column < model.columnCount(); ++column) {
        fields << csvField(model.headerData(column, Qt::Horizontal));
    }
    QString text = fields.join(',') + "\r\n";
    for (int row = 0; row < model.rowCount(); ++row) {
        fields.clear();
        for (int column = 0; column < model.columnCount(); ++column) {
            fields << csvField(model.index(row, column).data());
        }
        text += fields.join(',') + "\r\n";
    }
    return text;
}
