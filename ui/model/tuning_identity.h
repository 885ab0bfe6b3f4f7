#pragma once

// The window speaks of the core's tuning identity by its plain name.
#include "core/tuning_identity.h"

using TuningIdentity = klangora::TuningIdentity;
