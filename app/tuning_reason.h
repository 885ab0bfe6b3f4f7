#pragma once

// Why a name given to --tuning names no tuning, in the interface's language.
#include "core/music/tuning_name.h"

#include <QString>

QString tuningReasonText(const klangora::TuningNameError& error);
