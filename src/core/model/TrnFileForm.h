#pragma once

#include "model/TrnDerivedParts.h"

#include <memory>
#include <string>

namespace dispcraft {

struct ProjectStore;

// What an opened project file held in the parts that saving works out anew (TrnDerivedParts),
// and what saving would have worked out from the store as it was opened. Saving writes the
// file's own bytes for every part whose working-out has not changed since, and the bytes that
// followed the last block: a file that nothing edited is written back as it was, whichever
// program wrote it and however it laid out its pools, offsets and old key records.
//
// Kept only for files laid out as the writer lays them out (format 51 on) and read whole; a
// file of an older layout is written in the current one.
class TrnFileForm {
public:
    // Taken right after the file was read into the store. trailing: the bytes after its last
    // block.
    static std::shared_ptr<const TrnFileForm> of(const ProjectStore& store, std::string trailing);

    // The content parts to write: each group (model code, pictures, texts, each old key record)
    // that derives as it did when the file was read is the file's own.
    void keepUnchanged(TrnDerivedParts& derived) const;
    // The same for the places, once laid out: each offset that comes out as it did is the file's.
    void keepUnchangedPlaces(TrnDerivedParts& laidOut) const;
    const std::string& trailing() const { return m_trailing; }

private:
    TrnDerivedParts m_file;
    TrnDerivedParts m_derived;
    std::string m_trailing;
};

} // namespace dispcraft
