// CList: the game's doubly linked list of values. It never owns what its elements point to, and a
// locked list only marks removed nodes so that a walk can remove what it visits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

// How a list keeps an element: by value, or for a reference element type as a pointer to the object.
template <class T> struct CListSlot {
    using Stored = T;
    static Stored Wrap(const T& value) { return value; }
    static T Unwrap(const Stored& stored) { return stored; }
};
template <class T> struct CListSlot<T&> {
    using Stored = T*;
    static Stored Wrap(T& value) { return &value; }
    static T& Unwrap(Stored stored) { return *stored; }
};

template <class T> class CList {
    using Slot = CListSlot<T>;

public:
    // Values come in by const reference, or as the reference itself for a reference element type.
    using Param = std::conditional_t<std::is_reference_v<T>, T, const T&>;

    struct Node {
        typename Slot::Stored value;
        Node* prev;
        Node* next;
        int32_t deleted;
    };

    // A position in a list; the end position holds no node.
    class Iterator {
    public:
        explicit Iterator(Node* inNode = nullptr)
            : node(inNode)
        {
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            node = node->next;
            return old;
        }
        Iterator operator--(int)
        {
            Iterator old = *this;
            node = node->prev;
            return old;
        }
        T operator*() const { return Slot::Unwrap(node->value); }
        bool IsEnd() const { return node == nullptr; }
        bool operator==(const Iterator& other) const { return node == other.node; }
        Node* GetNode() const { return node; }

    private:
        Node* node;
    };

    // A separately held copy of the value at a position, released with the holder; empty for the end.
    class Reference {
    public:
        Reference() = default;
        explicit Reference(Iterator pos)
        {
            if (!pos.IsEnd())
                copy = std::make_unique<typename Slot::Stored>(pos.GetNode()->value);
        }
        bool IsEmpty() const { return copy == nullptr; }
        // Only for a reference that is not empty.
        T operator*() const { return Slot::Unwrap(*copy); }

    private:
        std::unique_ptr<typename Slot::Stored> copy;
    };

    CList() = default;
    CList(const CList& other) { Merge(other); }
    CList& operator=(const CList& other)
    {
        if (this != &other) {
            Erase();
            Merge(other);
        }
        return *this;
    }
    virtual ~CList()
    {
        FreeNodes();
        while (Node* node = spare) {
            spare = node->next;
            delete node;
        }
    }

    virtual int GetSize() const { return count; }
    virtual bool IsEmpty() const { return count == 0; }
    // Pointers are equal when they hold the same address; other types compare with their own ==.
    virtual bool IsEqual(Param a, Param b) const { return a == b; }
    // Frees every node, marked or not; the lock flag stays as it is.
    virtual void RemoveAll() { FreeNodes(); }
    // Empties the list as RemoveAll does but keeps its nodes for the appends that refill it, so that a
    // list rebuilt every game day (a character's allies, friends and rivals) allocates nothing once it
    // has reached its size. The kept nodes are freed with the list.
    void RemoveAllKeepingNodes()
    {
        if (tail != nullptr) {
            tail->next = spare;
            spare = head;
        }
        head = tail = nullptr;
        count = 0;
    }
    virtual void Erase() { RemoveAll(); }

    // While locked, a removal only marks the node; Unlock unlinks it.
    virtual bool Remove(Iterator pos)
    {
        Node* node = pos.GetNode();
        if (node == nullptr)
            return false;
        if (locked) {
            node->deleted = 1;
            return true;
        }
        if (node->prev)
            node->prev->next = node->next;
        if (node->next)
            node->next->prev = node->prev;
        if (node == head)
            head = node->next;
        if (node == tail)
            tail = node->prev;
        delete node;
        --count;
        return true;
    }
    // Removes the first (head-most) equal value.
    virtual bool Remove(Param value) { return Remove(Find(value)); }

    // The function may remove the value it is given; values appended during the walk are visited too.
    virtual void ForEach(const std::function<void(T)>& f)
    {
        for (Node* node = head; node != nullptr;) {
            Node* next = node->next;
            f(Slot::Unwrap(node->value));
            node = next;
        }
    }

    // Marked nodes are still found while the list is locked.
    virtual bool Contains(Param value) const { return !Find(value).IsEnd(); }
    virtual Iterator Find(Param value) const { return FindNext(GetHead(), value); }
    virtual Iterator FindNext(Iterator from, Param value) const
    {
        for (Node* node = from.GetNode(); node != nullptr; node = node->next) {
            if (IsEqual(Slot::Unwrap(node->value), value))
                return Iterator(node);
        }
        return Iterator();
    }

    Iterator GetHead() const { return Iterator(head); }
    Iterator GetTail() const { return Iterator(tail); }

    // Adding never looks at the lock: a node added while locked is linked at once.
    Iterator Append(Param value) { return Link(value, tail, nullptr); }
    Iterator Insert(Param value) { return Link(value, nullptr, head); }
    // Before the head is Insert; at the end position the value is appended.
    Iterator InsertBefore(Param value, Iterator pos)
    {
        Node* at = pos.GetNode();
        if (at == nullptr)
            return Append(value);
        return Link(value, at->prev, at);
    }
    // When `before` is not in the list the value is appended.
    Iterator InsertBefore(Param value, Param before) { return InsertBefore(value, Find(before)); }

    bool RemoveHead() { return Remove(GetHead()); }
    bool RemoveTail() { return Remove(GetTail()); }

    // Appends every value of the other list, marked ones included; the other list is not changed.
    void Merge(const CList& other)
    {
        for (Node* node = other.head; node != nullptr; node = node->next)
            Append(Slot::Unwrap(node->value));
    }

    // A flag, not a counter: the first Unlock ends the locked period.
    void Lock() { locked = 1; }
    void Unlock()
    {
        locked = 0;
        for (Iterator pos = GetHead(); !pos.IsEnd();) {
            if (pos.GetNode()->deleted)
                Remove(pos++);
            else
                pos++;
        }
    }
    bool IsLocked() const { return locked != 0; }

private:
    Iterator Link(Param value, Node* prev, Node* next)
    {
        Node* node = spare;
        if (node != nullptr) {
            spare = node->next;
            *node = Node { Slot::Wrap(value), prev, next, 0 };
        } else {
            node = new Node { Slot::Wrap(value), prev, next, 0 };
        }
        if (prev)
            prev->next = node;
        else
            head = node;
        if (next)
            next->prev = node;
        else
            tail = node;
        ++count;
        return Iterator(node);
    }

    void FreeNodes()
    {
        for (Node* node = head; node != nullptr;) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        head = tail = nullptr;
        count = 0;
    }

    Node* head = nullptr;
    Node* tail = nullptr;
    Node* spare = nullptr; // nodes kept by RemoveAllKeepingNodes, chained through next
    int32_t count = 0;
    int32_t locked = 0;
};

// Deletes every non-null element, then empties the list whatever its lock.
template <class T> void DeleteAll(CList<T*>& list)
{
    list.ForEach([](T* p) { delete p; });
    list.RemoveAll();
}

// As DeleteAll, for elements that are arrays (text buffers).
template <class T> void DeleteAllArrayed(CList<T*>& list)
{
    list.ForEach([](T* p) { delete[] p; });
    list.RemoveAll();
}
