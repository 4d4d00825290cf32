// CTernary: a ternary search tree from text keys to values with ASCII case-insensitive lookup, the base
// of the text database and of the font, palette and flag registries. It is filled in batches.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <vector>

#include "foundation/linked_list.h"
#include "foundation/utilities.h"
#include "platform/win/win32.h"

// Key characters compare as signed bytes with only A to Z folded, so bytes from 0x80 on sort below ASCII.
inline int CTernaryFold(char c)
{
    return static_cast<signed char>(AsciiLower(c));
}

// The order in which Unlock inserts a sorted batch of n entries (indices into the batch): the median
// first, then the medians of the halves and so on, so that the tree's shape does not depend on the
// order in which the entries arrived. Entries of equal keys that come later in this order win.
std::vector<int32_t> CTernaryBatchOrder(int32_t n);

template <class T> class CTernary {
public:
    struct Node {
        T data; // the value of the key that ends here; T() when none does
        char split; // in the letter case of the key that made the node
        Node* lo;
        Node* hi;
        Node* eq;
    };

    // One entry added during a batch; the tree owns the record and its key copy.
    struct LockData {
        T data;
        char* key; // strdup'ed, released with free
        int32_t inserted;
    };

    using Visitor = void (*)(T);

    CTernary() = default;
    CTernary(const CTernary&) = delete;
    CTernary& operator=(const CTernary&) = delete;
    // Frees nodes and batch records; the values survive.
    virtual ~CTernary() { CTernary::RemoveAll(); }

    // The value of the key, or T() when it is absent (a null value looks the same).
    virtual T Get(const char* key) const { return Find(root, key); }

    // Until Unlock, added entries only wait in the batch; Get and ForEach see none of them.
    virtual void Lock() { locked = 1; }
    virtual void Unlock();
    virtual void Erase() { CTernary::RemoveAll(); }
    // Visits every non-null value in ascending folded key order, a key before its extensions.
    virtual void ForEach(Visitor f)
    {
        if (root != nullptr)
            ForEach(root, f);
    }
    // An empty key is ignored. Outside a batch an existing value is replaced, not deleted.
    virtual void Add(const char* key, T value)
    {
        if (key == nullptr || *key == '\0')
            return;
        if (locked)
            AddLocked(key, value);
        else
            Insert(&root, key, value);
    }
    // Deletes every value, those still waiting in a batch included, and frees the tree.
    virtual void DeleteAll()
    {
        DeleteNode(root);
        root = nullptr;
        DropPending(true);
    }
    // Frees the node and its subtrees, not their values.
    virtual void RemoveNode(Node* node) { FreeNodes(node, false); }
    // Deletes the values of the node and its subtrees, then frees the nodes.
    virtual void DeleteNode(Node* node) { FreeNodes(node, true); }
    // Called for each non-null value by DeleteAll; pointers are deleted (texts as arrays).
    virtual void DeleteData(T value)
    {
        if constexpr (std::is_same_v<T, char*> || std::is_same_v<T, const char*>)
            delete[] value;
        else if constexpr (std::is_pointer_v<T>)
            delete value;
    }

    // Frees every node and drops a pending batch (its records and key copies freed, values left alone).
    // The lock flag stays as it is.
    void RemoveAll()
    {
        RemoveNode(root);
        root = nullptr;
        DropPending(false);
    }

    bool IsLocked() const { return locked != 0; }
    int GetPendingCount() const { return pending.GetSize(); }

    void Insert(Node** slot, const char* key, T value);
    T Find(const Node* node, const char* key) const;
    void AddLocked(const char* key, T value);
    void ForEach(Node* node, Visitor f);

private:
    void FreeNodes(Node* node, bool deleteValues);
    void DropPending(bool deleteValues);

    Node* root = nullptr;
    int32_t locked = 0;
    CList<LockData*> pending; // in the order of Add; sorted once, at Unlock
};

template <class T> void CTernary<T>::Insert(Node** slot, const char* key, T value)
{
    if (key == nullptr || *key == '\0')
        return;
    for (;;) {
        Node* node = *slot;
        if (node == nullptr) {
            node = new Node { T(), *key, nullptr, nullptr, nullptr };
            *slot = node;
        }
        const int c = CTernaryFold(*key);
        const int d = CTernaryFold(node->split);
        if (c == d) {
            if (*++key == '\0') {
                node->data = value;
                return;
            }
            slot = &node->eq;
        } else {
            slot = c > d ? &node->hi : &node->lo;
        }
    }
}

template <class T> T CTernary<T>::Find(const Node* node, const char* key) const
{
    if (key == nullptr || *key == '\0')
        return T();
    while (node != nullptr) {
        const int c = CTernaryFold(*key);
        const int d = CTernaryFold(node->split);
        if (c == d) {
            if (*++key == '\0')
                return node->data;
            node = node->eq;
        } else {
            node = c > d ? node->hi : node->lo;
        }
    }
    return T();
}

template <class T> void CTernary<T>::AddLocked(const char* key, T value)
{
    pending.Append(new LockData { value, strdup(key), 0 });
}

template <class T> void CTernary<T>::Unlock()
{
    locked = 0;
    const int32_t n = pending.GetSize();
    if (n == 0)
        return;
    std::vector<LockData*> batch;
    batch.reserve(n);
    for (auto pos = pending.GetHead(); !pos.IsEnd();)
        batch.push_back(*pos++);
    // Stable, so entries of equal keys keep the order in which they were added.
    std::stable_sort(batch.begin(), batch.end(),
        [](const LockData* a, const LockData* b) { return stricmp(a->key, b->key) < 0; });
    for (int32_t index : CTernaryBatchOrder(n)) {
        LockData* record = batch[index];
        Insert(&root, record->key, record->data);
        record->inserted = 1;
    }
    DropPending(false);
}

template <class T> void CTernary<T>::ForEach(Node* node, Visitor f)
{
    // lo, the value, eq, then hi; kept on an explicit stack so long keys cannot exhaust the call stack.
    struct Frame {
        Node* node;
        bool loDone;
    };
    std::vector<Frame> stack { { node, false } };
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (!top.loDone) {
            top.loDone = true;
            if (top.node->lo != nullptr)
                stack.push_back({ top.node->lo, false });
            continue;
        }
        Node* at = top.node;
        stack.pop_back();
        if (at->data != T())
            f(at->data);
        if (at->hi != nullptr)
            stack.push_back({ at->hi, false });
        if (at->eq != nullptr)
            stack.push_back({ at->eq, false });
    }
}

template <class T> void CTernary<T>::FreeNodes(Node* node, bool deleteValues)
{
    if (node == nullptr)
        return;
    // A node's value, then its eq, lo and hi subtrees.
    std::vector<Node*> stack { node };
    while (!stack.empty()) {
        Node* at = stack.back();
        stack.pop_back();
        if (deleteValues && at->data != T())
            DeleteData(at->data);
        if (at->hi != nullptr)
            stack.push_back(at->hi);
        if (at->lo != nullptr)
            stack.push_back(at->lo);
        if (at->eq != nullptr)
            stack.push_back(at->eq);
        delete at;
    }
}

template <class T> void CTernary<T>::DropPending(bool deleteValues)
{
    for (auto pos = pending.GetHead(); !pos.IsEnd();) {
        LockData* record = *pos++;
        if (deleteValues && !record->inserted && record->data != T())
            DeleteData(record->data);
        std::free(record->key);
        delete record;
    }
    pending.RemoveAll();
}
