// A document's load between its slices: the source, the arena the lines are
// carved from, and the line being read.
#pragma once

#include <memory>

#include "document/document.h"
#include "document/line_arena.h"
#include "document/line_builder.h"
#include "textfile/text_source.h"

namespace pathbook {

struct Document::PendingLoad {
    explicit PendingLoad(std::unique_ptr<TextSource> from) : source(std::move(from)) {}

    std::unique_ptr<TextSource> source;
    LineArena arena;
    LineBuilder line{arena};        // the line read so far
    bool appendToExisting = true;   // the first line read continues the document's last line
};

}  // namespace pathbook
