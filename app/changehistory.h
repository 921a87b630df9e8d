#pragma once

#include <QString>

// The change history the version screen shows: one block per version, oldest
// first. A block is its header line and its detail lines; blocks are parted by
// one empty line. Lines end in CR LF, the last one has no line end.
QString MakeChangeHistoryText();

// The game keeps its multi-line texts with Windows line ends; text widgets
// want plain line feeds.
QString withLineFeeds(QString crlfText);
