#pragma once

#include "exercises/14_prefectures/prefectures.h"

#include <QString>

namespace Prefectures {

// A silhouette as a listener is told it: where the prefecture lies and what
// marks its shape, in words a player who knows the map recognises, as a
// sighted player recognises the outline. Never its name, its reading or a
// city that bears its name: finding which one is asked is the question.
// Row 0 to 46 of the table.
QString shapeWords(int row);

} // namespace Prefectures
