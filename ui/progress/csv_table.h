#pragma once

// A table model as comma-separated values (RFC 4180): the column headers, then a line a row, a
// field quoted where it holds a comma, a quote or a line end. Numbers are written with a point,
// as spreadsheets read CSV in any language.
#include <QString>

class QAbstractItemModel;

QString csvText(const QAbstractItemModel& model);
