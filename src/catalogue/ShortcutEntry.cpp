#include "catalogue/ShortcutEntry.h"

#include "catalogue/KeyGroupsCache.h"
#include "catalogue/SearchTexts.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Everything the entries built together point to.
struct ShortcutEntry::Block : Shared {
    std::shared_ptr<const AppInfo> app;
    QList<Keymap> keymaps;  // shares the decoded record's lists; read only through const access
    std::shared_ptr<const KeyGroupsCache> keyGroups;
    std::vector<const ShortcutSection *> sections;  // into keymaps
    QString searchRun;    // the search texts, each followed by U+0000
    SearchTexts search;   // views searchRun; its sections are those of `sections`, in order
};

void ShortcutEntry::release(const Shared *block)
{
    delete static_cast<const Block *>(block);
}

const ShortcutEntry::Block &ShortcutEntry::block() const
{
    return *static_cast<const Block *>(block_);
}

quint32 ShortcutEntry::section() const
{
    const std::vector<SearchTexts::Section> &sections = block().search.sections;
    const auto found = std::upper_bound(sections.begin(), sections.end(), index_,
                                        [](quint32 index, const SearchTexts::Section &section) { return index < section.end; });
    return quint32(found - sections.begin());
}

const RawShortcut &ShortcutEntry::shortcut() const
{
    return shortcut(section());
}

quint32 ShortcutEntry::sectionStart(quint32 section) const
{
    return section ? block().search.sections[section - 1].end : 0;
}

const RawShortcut &ShortcutEntry::shortcut(quint32 section) const
{
    return block().sections[section]->shortcuts.at(qsizetype(index_ - sectionStart(section)));
}

const ShortcutEntry::AppInfo &ShortcutEntry::app() const
{
    return *block().app;
}

const QString &ShortcutEntry::sectionTitle() const
{
    return block().sections[section()]->title;
}

const KeyGroups &ShortcutEntry::keyGroups() const
{
    const RawShortcut &shortcut = this->shortcut();
    return shortcut.hasKey() ? block().keyGroups->groups(*shortcut.key()) : block().keyGroups->none();
}

const SearchTexts &ShortcutEntry::searchTexts() const
{
    return block().search;
}

namespace {

QStringView orEmpty(const std::optional<QString> &text)
{
    return text ? QStringView(*text) : QStringView();
}

// A section's part of the ids of its shortcuts.
QStringView idOf(const ShortcutSection &section)
{
    return section.englishTitle ? *section.englishTitle : section.title;
}

// The size of the id the parts join to.
qsizetype joinedSize(const std::array<QStringView, 4> &parts)
{
    return parts[0].size() + parts[1].size() + parts[2].size() + parts[3].size() + 3;
}

// The parts joined with "|".
QString join(const std::array<QStringView, 4> &parts)
{
    QString id(joinedSize(parts), Qt::Uninitialized);
    QChar *out = id.data();
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            *out++ = QLatin1Char('|');
        out = std::copy(parts[i].begin(), parts[i].end(), out);
    }
    return id;
}

} // namespace

std::array<QStringView, 4> ShortcutEntry::idParts() const
{
    return idParts(section());
}

std::array<QStringView, 4> ShortcutEntry::idParts(quint32 sectionIndex) const
{
    const RawShortcut &shortcut = this->shortcut(sectionIndex);
    const ShortcutSection &section = *block().sections[sectionIndex];
    const Customisation *custom = shortcut.customisation();
    // Ids are in English whatever the language shown, so favourites outlive a change of it.
    return {QStringView(app().slug), idOf(section),
            shortcut.englishTitle() ? QStringView(*shortcut.englishTitle()) : shortcut.titleView(),
            custom ? QStringView(custom->idKey) : shortcut.keyView()};
}

QString ShortcutEntry::id() const
{
    return join(idParts());
}

bool ShortcutEntry::hasId(QStringView text) const
{
    // Every id starts with the application's slug: most entries are told apart before their record
    // is looked up.
    const QStringView slug = app().slug;
    if (text.size() <= slug.size() || text[slug.size()] != QLatin1Char('|') || !text.startsWith(slug))
        return false;
    const std::array<QStringView, 4> parts = idParts();
    if (text.size() != joinedSize(parts))
        return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (text.isEmpty() || text.front() != QLatin1Char('|'))
                return false;
            text = text.sliced(1);
        }
        if (!text.startsWith(parts[i]))
            return false;
        text = text.sliced(parts[i].size());
    }
    return text.isEmpty();
}

QList<ShortcutEntry> ShortcutEntry::withIds(const QList<ShortcutEntry> &entries, const QSet<QString> &ids)
{
    QList<ShortcutEntry> found;
    const Shared *block = nullptr;
    // The section of the entry before, and the indexes of its entries.
    quint32 section = 0, sectionBegin = 0, sectionEnd = 0;
    // What follows "slug|" in the ids that begin so, for the block of the entry before; what follows
    // "slug|section|", for its section.
    std::vector<QStringView> rests;
    std::vector<QStringView> tails;
    const auto startsWithPart = [](QStringView text, QStringView part) {
        return text.size() > part.size() && text.startsWith(part) && text[part.size()] == QLatin1Char('|');
    };
    for (const ShortcutEntry &entry : entries) {
        if (entry.block_ != block) {
            rests.clear();
            const QStringView slug = entry.app().slug;
            for (const QString &id : ids) {
                if (startsWithPart(id, slug))
                    rests.push_back(QStringView(id).sliced(slug.size() + 1));
            }
        }
        if (entry.block_ != block || entry.index_ < sectionBegin || entry.index_ >= sectionEnd) {
            block = entry.block_;
            section = entry.section();
            sectionBegin = entry.sectionStart(section);
            sectionEnd = entry.block().search.sections[section].end;
            tails.clear();
            const QStringView sectionId = idOf(*entry.block().sections[section]);
            for (QStringView rest : rests) {
                if (startsWithPart(rest, sectionId))
                    tails.push_back(rest.sliced(sectionId.size() + 1));
            }
        }
        if (tails.empty())
            continue;
        const std::array<QStringView, 4> parts = entry.idParts(section);
        for (QStringView tail : tails) {
            if (tail.size() == parts[2].size() + 1 + parts[3].size() && startsWithPart(tail, parts[2])
                && tail.endsWith(parts[3])) {
                found.append(entry);
                break;
            }
        }
    }
    return found;
}

bool ShortcutEntry::sameId(const ShortcutEntry &other) const
{
    const std::array<QStringView, 4> mine = idParts();
    const std::array<QStringView, 4> theirs = other.idParts();
    if (mine == theirs)
        return true;
    // Different parts can still join to the same id when one holds a "|".
    return joinedSize(mine) == joinedSize(theirs) && other.hasId(join(mine));
}

QStringView ShortcutEntry::searchText() const
{
    const SearchTexts &search = block().search;
    const qsizetype start = index_ ? qsizetype(search.ends[index_ - 1]) + 1 : 0;
    return search.texts.sliced(start, qsizetype(search.ends[index_]) - start);
}

namespace {

// Copies `text` lower-cased to `out` when it is all ASCII, whose default lower-case mapping changes
// A to Z and nothing else. Returns false, with `out` partly written, when it is not.
bool lowerAscii(const char16_t *text, qsizetype length, char16_t *out)
{
    qsizetype i = 0;
    char16_t seen = 0;
#if defined(__SSE2__)
    const __m128i beforeA = _mm_set1_epi16(short(u'A' - 1));
    const __m128i afterZ = _mm_set1_epi16(short(u'Z' + 1));
    const __m128i toLower = _mm_set1_epi16(short(u'a' - u'A'));
    __m128i seenVector = _mm_setzero_si128();
    for (; i + 8 <= length; i += 8) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        seenVector = _mm_or_si128(seenVector, c);
        const __m128i upper = _mm_and_si128(_mm_cmpgt_epi16(c, beforeA), _mm_cmplt_epi16(c, afterZ));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_add_epi16(c, _mm_and_si128(upper, toLower)));
    }
    alignas(16) char16_t lanes[8];
    _mm_store_si128(reinterpret_cast<__m128i *>(lanes), seenVector);
    for (char16_t lane : lanes)
        seen |= lane;
#endif
    for (; i < length; ++i) {
        const char16_t c = text[i];
        seen |= c;
        out[i] = c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    }
    return seen < 0x80;
}

// Lower-cased search texts, written one after another into one scratch buffer. Parts are lower-cased
// one by one: the Unicode mapping goes character by character, so this gives the same text as
// lower-casing them joined.
class SearchTextWriter {
public:
    explicit SearchTextWriter(qsizetype expected) : buffer_(expected, Qt::Uninitialized) {}

    void addLower(QStringView part)
    {
        char16_t *out = grow(part.size());
        if (lowerAscii(part.utf16(), part.size(), out))
            used_ += part.size();
        else
            addAsIs(part.toString().toLower());
    }

    void addAsIs(QStringView part)
    {
        std::copy(part.utf16(), part.utf16() + part.size(), grow(part.size()));
        used_ += part.size();
    }

    void addSpace() { addChar(u' '); }
    // Ends a text: U+0000 follows it in the run.
    void endText() { addChar(u'\0'); }

    qsizetype size() const { return used_; }
    // What was written, in a string of its own size.
    QString take()
    {
        buffer_.truncate(used_);
        buffer_.squeeze();
        return std::move(buffer_);
    }

private:
    void addChar(char16_t c)
    {
        *grow(1) = c;
        ++used_;
    }

    char16_t *grow(qsizetype n)
    {
        if (used_ + n > buffer_.size())
            buffer_.resize(std::max(used_ + n, 2 * buffer_.size()));
        return reinterpret_cast<char16_t *>(buffer_.data()) + used_;
    }

    QString buffer_;
    qsizetype used_ = 0;
};

} // namespace

QString ShortcutEntry::makeId(const QString &slug, const QString &sectionTitle, const QString &title,
                              const std::optional<QString> &rawKey)
{
    return join({slug, sectionTitle, title, orEmpty(rawKey)});
}

ShortcutEntry::ShortcutEntry(std::shared_ptr<const AppInfo> app, const QString &sectionTitle,
                             const QString &title, const std::optional<QString> &rawKey,
                             const std::optional<QString> &comment)
{
    Keymap keymap;
    keymap.sections.append(ShortcutSection{sectionTitle, {RawShortcut{title, rawKey, comment}}});
    ShortcutEntry made = makeAll(std::move(app), {keymap}, std::make_shared<KeyGroupsCache>()).constFirst();
    block_ = std::exchange(made.block_, nullptr);
    index_ = made.index_;
}

QList<ShortcutEntry> ShortcutEntry::makeAll(std::shared_ptr<const AppInfo> app, const QList<Keymap> &keymaps,
                                            const std::shared_ptr<KeyGroupsCache> &keyGroups)
{
    auto block = std::make_unique<Block>();
    block->app = std::move(app);
    block->keymaps = keymaps;
    block->keyGroups = keyGroups;
    // From here on the keymaps are only read through const access, which never detaches them, so
    // the addresses taken below stay valid as long as the block lives.
    const QList<Keymap> &shared = block->keymaps;
    const AppInfo &info = *block->app;

    qsizetype count = 0;
    size_t sectionCount = 0;
    for (const Keymap &keymap : shared) {
        sectionCount += size_t(keymap.sections.size());
        for (const ShortcutSection &section : keymap.sections)
            count += section.shortcuts.size();
    }
    if (count == 0)
        return {};

    // Sections, and where the entries of each end.
    QStringList lowerTitles;
    lowerTitles.reserve(qsizetype(sectionCount));
    block->sections.reserve(sectionCount);
    std::vector<SearchTexts::Section> &sections = block->search.sections;
    sections.reserve(sectionCount);
    quint32 end = 0;
    for (const Keymap &keymap : shared) {
        for (const ShortcutSection &section : keymap.sections) {
            block->sections.push_back(&section);
            end += quint32(section.shortcuts.size());
            lowerTitles.append(section.title.toLower());
            sections.push_back(SearchTexts::Section{QStringView(), end});
        }
    }

    // Search texts: written lower-cased, back to back, into one run.
    // Where the name and each section's title first lie in it.
    const QString name = info.name.toLower();
    SearchTextWriter writer(count * 64);
    std::vector<quint32> &ends = block->search.ends;
    ends.reserve(size_t(count));
    qsizetype nameAt = -1;
    std::vector<qsizetype> titleAt(sections.size(), -1);
    for (size_t at = 0; at < block->sections.size(); ++at) {
        const QString &section = lowerTitles.at(qsizetype(at));
        for (const RawShortcut &s : block->sections[at]->shortcuts) {
            writer.addLower(s.titleView());
            writer.addSpace();
            if (nameAt < 0)
                nameAt = writer.size();
            writer.addAsIs(name);
            writer.addSpace();
            if (titleAt[at] < 0)
                titleAt[at] = writer.size();
            writer.addAsIs(section);
            writer.addSpace();
            writer.addLower(s.keyView());
            writer.addSpace();
            writer.addLower(s.commentView());
            // A translated title is found by its English words too.
            if (s.englishTitle()) {
                writer.addSpace();
                writer.addLower(*s.englishTitle());
            }
            ends.push_back(quint32(writer.size()));
            writer.endText();
        }
    }
    block->searchRun = writer.take();
    block->search.texts = QStringView(block->searchRun).first(qsizetype(ends.back()));
    block->search.name = block->search.texts.sliced(nameAt, name.size());
    for (size_t i = 0; i < sections.size(); ++i) {
        if (titleAt[i] >= 0)
            sections[i].title = block->search.texts.sliced(titleAt[i], lowerTitles.at(qsizetype(i)).size());
    }

    // The entries hold the block from here on.
    const Block *owned = block.release();
    QList<ShortcutEntry> entries;
    entries.reserve(count);
    for (quint32 index = 0; index < quint32(count); ++index)
        entries.append(ShortcutEntry(owned, index));
    return entries;
}
