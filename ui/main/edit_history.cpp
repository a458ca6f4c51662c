#include "ui/main/edit_history.h"

#include <utility>

namespace sg8 {

void EditHistory::clear()
{
    edits_.clear();
    done_ = 0;
    saved_ = 0;
}

void EditHistory::record(std::size_t record, CustomGeneral before, CustomGeneral after)
{
    edits_.resize(done_);
    if (saved_ && *saved_ > done_) saved_.reset();  // the saved state was among the dropped edits
    edits_.push_back({record, std::move(before), std::move(after)});
    ++done_;
}

const EditHistory::Edit* EditHistory::undo()
{
    if (done_ == 0) return nullptr;
    return &edits_[--done_];
}

const EditHistory::Edit* EditHistory::redo()
{
    if (done_ == edits_.size()) return nullptr;
    return &edits_[done_++];
}

}  // namespace sg8
