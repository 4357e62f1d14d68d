#include "app/win32/notebook_host.h"

#include "app/resource_ids.h"
#include "app/win32/messages.h"
#include "app/win32/notebook_dialogs.h"
#include "app/win32/string_resource.h"
#include "notebook/link_check.h"
#include "notebook/links_here.h"
#include "notebook/notes_search.h"

namespace pathbook {

NotebookHost::NotebookHost(Session& session, ViewEditor& editor, StatusBar& status, const FavoriteList& favorites,
                           const ConfigStore& config)
    : session_(session),
      editor_(editor),
      status_(status),
      favorites_(favorites),
      config_(config),
      options_(config.LoadSearchOptions()) {}

void NotebookHost::Attach(HWND window) { window_ = window; }

void NotebookHost::Follow() {
    const std::u16string folder = NotebookFolder(favorites_.Get(0).path.View(), session_.Path().View(), folder_);
    if (folder == folder_) return;
    folder_ = folder;
    if (folder_.empty()) {
        reading_ = false;
        notebook_.Close();
        return;
    }
    reading_ = true;
    notebook_.Open(folder_, config_.Values().txtFilter.View());
}

bool NotebookHost::RunCommand(WORD id) {
    switch (id) {
        case IDM_LINKS_HERE: LinksHere(); return true;
        case IDM_SEARCH_NOTES: SearchNotes(); return true;
        case IDM_CHECK_LINKS: CheckLinks(false); return true;
        case IDM_NEXT_BROKEN_LINK: CheckLinks(true); return true;
        default: break;
    }
    const std::int32_t item = static_cast<std::int32_t>(id) - menuFirstId_;
    if (menuFirstId_ == 0 || item < 0 || item >= static_cast<std::int32_t>(menuPlaces_.size())) return false;
    Go(menuPlaces_[static_cast<std::size_t>(item)]);
    return true;
}

std::vector<MenuItem> NotebookHost::LinksHereMenu(std::int32_t firstId) {
    menuFirstId_ = firstId;
    menuPlaces_ = CanListLinksHere() ? LinksHerePlaces(CurrentLinksHere()) : std::vector<NotebookPlace>();
    return LinksHereMenuItems(menuPlaces_, firstId, LoadStringResource(IDS_NO_LINKS_HERE));
}

void NotebookHost::OnIndexProgress(std::uint32_t done, std::uint32_t total) {
    progress_.store(std::uint64_t{done} << 32 | total, std::memory_order_relaxed);
    PostMessageW(window_, kNotebookProgress, 0, 0);
}

void NotebookHost::OnIndexChanged() { PostMessageW(window_, kNotebookChanged, 0, 0); }

bool NotebookHost::OnAppMessage(UINT message) {
    switch (message) {
        // Only the first reading of a notebook is shown: rechecks and saved notes are quiet.
        case kNotebookProgress:
            if (reading_) {
                const std::uint64_t progress = progress_.load(std::memory_order_relaxed);
                Say(IDS_NOTEBOOK_READING, static_cast<std::uint32_t>(progress >> 32),
                    static_cast<std::uint32_t>(progress));
            }
            return true;
        case kNotebookChanged: {
            // Another process may post this before there is an index at all.
            const IndexPointer index = notebook_.Current();
            if (index == nullptr) return true;
            if (reading_) Say(IDS_NOTEBOOK_READY, index->Counts().notes, 0);
            reading_ = false;
            return true;
        }
        default: return false;
    }
}

bool NotebookHost::HasNotebook() {
    if (!folder_.empty()) return true;
    status_.SetText(0, LoadStringResource(IDS_NO_NOTEBOOK));
    return false;
}

bool NotebookHost::CanListLinksHere() { return HasNotebook() && !session_.Untitled(); }

std::vector<Backlink> NotebookHost::CurrentLinksHere() {
    return pathbook::LinksHere(*notebook_.Current(), session_.Path().View());
}

void NotebookHost::LinksHere() {
    if (!CanListLinksHere()) return;
    const std::vector<Backlink> links = CurrentLinksHere();
    std::size_t notes = 0;
    for (std::size_t i = 0; i < links.size(); ++i) notes += i == 0 || links[i].note != links[i - 1].note ? 1 : 0;
    const std::u16string count(CountsText(LoadStringResource(IDS_LINKS_HERE_COUNT).View(), links.size(), notes));
    NotebookPlace chosen;
    if (ChooseLinkHere(window_, LinksHerePlaces(links), count, &chosen)) Go(chosen);
}

void NotebookHost::SearchNotes() {
    if (!HasNotebook()) return;
    const NotesSearch search = [this](const std::u16string& pattern, search::FindOptions options,
                                      std::u16string* countText) {
        const std::vector<NoteHits> hits = pathbook::SearchNotes(*notebook_.Current(), pattern, options);
        std::size_t matches = 0;
        for (const NoteHits& note : hits) matches += note.matches.size();
        *countText = CountsText(LoadStringResource(IDS_NOTES_FOUND).View(), matches, hits.size());
        return SearchPlaces(hits);
    };
    NotebookPlace chosen;
    if (ChooseNotesMatch(window_, pattern_, options_, search, &chosen)) Go(chosen);
}

void NotebookHost::CheckLinks(bool jump) {
    Document& document = session_.Text();
    const std::vector<CheckedLink> links = CheckFileLinks(FileLinksToCheck(document, session_.Folder().View()));
    for (const CheckedLink& link : links) {
        document.SetMissingPart(link.line, link.textStart, link.textEnd, false);
        if (link.broken) document.SetMissingPart(link.line, link.textStart + link.existing, link.textEnd, true);
    }
    InvalidateRect(editor_.View().Handle(), nullptr, FALSE);
    Say(IDS_BROKEN_LINKS, BrokenCount(links), links.size());
    if (!jump) return;
    const std::int32_t next = NextBrokenLink(links, editor_.CaretPosition());
    if (next < 0) {
        status_.SetText(0, LoadStringResource(IDS_NO_BROKEN_LINK));
        return;
    }
    const DocPos start = links[static_cast<std::size_t>(next)].Start();
    editor_.Select(start, start);
}

void NotebookHost::Go(const NotebookPlace& place) {
    if (session_.Path().View() != place.path) {
        if (!session_.AskSave() || !session_.Load(String(place.path), charset::kAutoDetect, true)) return;
    }
    editor_.Select(place.anchor, place.caret);
}

void NotebookHost::Say(unsigned id, std::size_t first, std::size_t second) {
    status_.SetText(0, String(CountsText(LoadStringResource(id).View(), first, second)));
}

}  // namespace pathbook
