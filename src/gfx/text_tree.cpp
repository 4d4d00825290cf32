// The keyword and text tree: insertion, lookup and teardown, all without recursion so that
// a lopsided tree cannot exhaust the stack.
#include "gfx/text_tree.h"

#include <cstring>
#include <vector>

#include "foundation/fatal_error.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {

char* CopyText(const char* from)
{
    const std::size_t n = std::strlen(from) + 1;
    char* to = new char[n];
    std::memcpy(to, from, n);
    return to;
}

} // namespace

CText::CText()
    : key(nullptr)
    , text(nullptr)
    , left(nullptr)
    , right(nullptr)
    , id(0)
{
}

CText::~CText()
{
    delete[] key;
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
    CText* node = this;
    while (node->key) {
        const int order = stricmp(newKey, node->key);
        if (order == 0)
            _AssertRelease(" Duplicate string in text database %s", newKey);
        CText*& next = order < 0 ? node->left : node->right;
        if (!next)
            next = new CText;
        node = next;
    }
    node->key = CopyText(newKey);
    node->text = CopyText(newText);
    node->id = newId;
}

const CText* CText::Find(const char* wanted) const
{
    const CText* node = this;
    while (node && node->key) {
        const int order = stricmp(wanted, node->key);
        if (order == 0)
            return node;
        node = order < 0 ? node->left : node->right;
    }
    return nullptr;
}

int CText::GetID(const char* wanted) const
{
    const CText* node = Find(wanted);
    return node ? node->id : -1;
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
