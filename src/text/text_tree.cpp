// The keyword and text tree: insertion, lookup and teardown, all without recursion so that
// a lopsided tree cannot exhaust the stack.
#include "text/text_tree.h"

#include <cstring>
#include <string>
#include <vector>

#include "foundation/fatal_error.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

char* CopyText(const char* from)
{
    const std::size_t n = std::strlen(from) + 1;
    char* to = new char[n];
    std::memcpy(to, from, n);
    return to;
}

// Keys are compared with ASCII letters folded to lower case, so each node keeps its key folded and a
// lookup folds the wanted key once, not once per level.
std::string Fold(const char* key)
{
    std::string folded(key);
    for (char& c : folded)
        c = AsciiLower(c);
    return folded;
}

// Folded texts compared as signed bytes; a text that ends first is the smaller (stricmp's order).
int CompareFolded(const char* a, const char* b)
{
    while (*a == *b && *a) {
        ++a;
        ++b;
    }
    if (*a == *b)
        return 0;
    if (*a == '\0')
        return -1;
    if (*b == '\0')
        return 1;
    return static_cast<signed char>(*a) < static_cast<signed char>(*b) ? -1 : 1;
}

// The first eight bytes of a folded text, big-endian, each with its top bit flipped so that the signed
// byte order becomes the unsigned one; bytes past the end are 0. Two texts whose numbers differ compare
// as the numbers do; equal numbers need the full comparison.
uint64_t FoldedPrefix(const char* folded)
{
    uint64_t prefix = 0;
    int i = 0;
    for (; i < 8 && folded[i] != '\0'; ++i)
        prefix = (prefix << 8) | (static_cast<uint8_t>(folded[i]) ^ 0x80u);
    return i == 0 ? 0 : prefix << (8 * (8 - i));
}

} // namespace

CText::CText()
    : key(nullptr)
    , folded(nullptr)
    , prefix(0)
    , text(nullptr)
    , left(nullptr)
    , right(nullptr)
    , id(0)
{
}

CText::~CText()
{
    delete[] key;
    delete[] folded;
    delete[] text;
    // Detach the subtrees and free them from an explicit stack: each child is emptied of its own
    // children before it is deleted, so no destructor call recurses.
    std::vector<CText*> pending;
    if (left)
        pending.push_back(left);
    if (right)
        pending.push_back(right);
    while (!pending.empty()) {
        CText* node = pending.back();
        pending.pop_back();
        if (node->left)
            pending.push_back(node->left);
        if (node->right)
            pending.push_back(node->right);
        node->left = node->right = nullptr;
        delete node;
    }
}

void CText::Insert(const char* newKey, const char* newText, int newId)
{
    const std::string wanted = Fold(newKey);
    CText* node = this;
    while (node->key) {
        const int order = CompareFolded(wanted.c_str(), node->folded);
        if (order == 0)
            _AssertRelease(" Duplicate string in text database %s", newKey);
        CText*& next = order < 0 ? node->left : node->right;
        if (!next)
            next = new CText;
        node = next;
    }
    node->key = CopyText(newKey);
    node->folded = CopyText(wanted.c_str());
    node->prefix = FoldedPrefix(node->folded);
    node->text = CopyText(newText);
    node->id = newId;
}

int CText::GetID(const char* wantedKey) const
{
    // Keys that fit are folded on the stack: lookups of the tokenizer allocate nothing.
    char small[128];
    std::string large;
    const char* wanted = small;
    std::size_t i = 0;
    for (; i < sizeof small; ++i) {
        const char c = wantedKey[i];
        small[i] = AsciiLower(c);
        if (c == '\0')
            break;
    }
    if (i == sizeof small) {
        large = Fold(wantedKey);
        wanted = large.c_str();
    }
    const uint64_t wantedPrefix = FoldedPrefix(wanted);
    const CText* node = this;
    while (node && node->key) {
        int order;
        if (wantedPrefix != node->prefix)
            order = wantedPrefix < node->prefix ? -1 : 1;
        else
            order = CompareFolded(wanted, node->folded);
        if (order == 0)
            return node->id;
        node = order < 0 ? node->left : node->right;
    }
    return -1;
}

int CText::GetDepth() const
{
    if (!key)
        return 0;
    int deepest = 0;
    std::vector<std::pair<const CText*, int>> pending { { this, 1 } };
    while (!pending.empty()) {
        auto [node, level] = pending.back();
        pending.pop_back();
        if (level > deepest)
            deepest = level;
        if (node->left)
            pending.push_back({ node->left, level + 1 });
        if (node->right)
            pending.push_back({ node->right, level + 1 });
    }
    return deepest;
}
