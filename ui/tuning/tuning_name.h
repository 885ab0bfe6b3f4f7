#pragma once

// The name of a tuning in Danish words, as the caption, the sound sequence's message and a saved
// file give it.
#include "ui/model/tuning_identity.h"

#include <QString>

QString tuningName(const TuningIdentity& identity);
