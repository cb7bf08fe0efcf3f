// Writes one file entry (signed length, then content) at the current end of an output file:
// the entry text (header, NUL, a piece of a source file) deflated into one zlib stream, or
// stored as it is when compression does not make it smaller. Streams in fixed-size buffers,
// so the memory used does not depend on the entry's size.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

class OutputFile;

struct EntryPiece {
    std::string Name;     // the file's name, for messages
    std::string Header;   // the entry header, without the NUL
    FILE* Source = nullptr;
    uint64_t Offset = 0;  // where the piece starts in the source
    uint64_t Length = 0;  // bytes of the source in this entry
};

enum class EntryOutcome {
    Written,   // the entry is in the file
    TooLarge,  // it does not fit the room given; nothing of it counts, the position is back
    Failed,    // reading or writing failed (see Error)
};

struct EntryResult {
    EntryOutcome Outcome = EntryOutcome::Failed;
    bool Compressed = false;
    uint64_t ContentSize = 0;  // bytes after the length field
    // When TooLarge: whether storing beat compression, and how much of the entry text the
    // compressor had taken when its output reached the room (a hint for a piece that fits).
    bool StoredIsSmaller = false;
    uint64_t TextTakenAtLimit = 0;
    std::string Error;
};

// Entry text size of a piece: header, NUL, data.
inline uint64_t EntryTextSize(const EntryPiece& piece) { return piece.Header.size() + 1 + piece.Length; }

// `room` is the most the block (4-byte length and content) may take. Level 0 stores.
EntryResult WriteEntry(OutputFile& out, const EntryPiece& piece, int level, uint64_t room);
