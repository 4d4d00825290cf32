// Binary heaps: CDynamicHeap keeps pointers in a tree of nodes that grows without reallocation (the
// scheduler's dated events); CHeap keeps values in an array ordered by a virtual HasPriority (path search).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

template <class T> struct CHeapNode {
    T* item;
    CHeapNode* left;
    CHeapNode* right;
};

// A complete tree numbered like an array heap (root 1, children 2k and 2k + 1), least item on top by
// operator<. It never owns its items. Equal items keep their push order except where a pop moves the last
// leaf up, which is how the scheduler has always broken ties.
template <class T> class CDynamicHeap {
public:
    CDynamicHeap() = default;
    CDynamicHeap(const CDynamicHeap&) = delete;
    CDynamicHeap& operator=(const CDynamicHeap&) = delete;
    virtual ~CDynamicHeap() { CDynamicHeap::Erase(); }

    virtual T* Peek() const { return root ? root->item : nullptr; }
    virtual uint32_t GetSize() const { return count; }
    virtual bool IsEmpty() const { return count == 0; }

    // Removes and returns the least item; null when empty.
    virtual T* Pop()
    {
        if (count == 0)
            return nullptr;
        T* last = PopTail();
        if (root == nullptr)
            return last;
        T* top = root->item;
        CHeapNode<T>* node = root;
        for (;;) {
            CHeapNode<T>* next = nullptr;
            if (node->left && node->right) {
                T& a = *node->left->item;
                T& b = *node->right->item;
                if (a <= b && a < *last)
                    next = node->left;
                else if (b < *last)
                    next = node->right;
            } else if (node->left) {
                if (*node->left->item < *last)
                    next = node->left;
            }
            if (next == nullptr)
                break;
            node->item = next->item;
            node = next;
        }
        node->item = last;
        return top;
    }

    // Empties the heap; the items are not deleted.
    virtual void Erase()
    {
        while (PopTail() != nullptr) { }
    }

    // Pre-order: a node's item, then its left subtree, then its right subtree.
    virtual void ForEach(const std::function<void(T*)>& f)
    {
        if (root)
            Visit(root, f);
    }

    void Push(T* item)
    {
        if (root == nullptr) {
            root = new CHeapNode<T> { item, nullptr, nullptr };
            count = 1;
            level = 1;
            return;
        }
        ++count;
        if (count >= 2 * level)
            level *= 2;
        CHeapNode<T>* path[33];
        int depth = 0;
        CHeapNode<T>** slot = WalkTo(count, path, depth);
        *slot = new CHeapNode<T> { item, nullptr, nullptr };
        path[depth++] = *slot;
        // An equal parent is never displaced, so a new item settles below its equals.
        for (int i = depth - 1; i > 0; --i) {
            if (*path[i]->item < *path[i - 1]->item)
                std::swap(path[i]->item, path[i - 1]->item);
        }
    }

    // Removes the node at the last position and returns its item; null when empty.
    T* PopTail()
    {
        if (count == 0)
            return nullptr;
        T* item;
        if (count == 1) {
            item = root->item;
            delete root;
            root = nullptr;
        } else {
            CHeapNode<T>* path[33];
            int depth = 0;
            CHeapNode<T>** slot = WalkTo(count, path, depth);
            item = (*slot)->item;
            delete *slot;
            *slot = nullptr;
        }
        --count;
        if (count < level)
            level /= 2;
        return item;
    }

    // The largest power of two not above the count; 0 when empty.
    uint32_t GetLevel() const { return level; }

private:
    // The child slot that holds (or will hold) position pos > 1; fills path with the nodes above it.
    CHeapNode<T>** WalkTo(uint32_t pos, CHeapNode<T>** path, int& depth)
    {
        uint32_t s = level;
        uint32_t q = level;
        CHeapNode<T>* node = root;
        for (;;) {
            path[depth++] = node;
            s /= 2;
            CHeapNode<T>** slot;
            if (q + s <= pos) {
                slot = &node->right;
                q += s;
            } else {
                slot = &node->left;
            }
            if (s == 1)
                return slot;
            node = *slot;
        }
    }

    static void Visit(CHeapNode<T>* node, const std::function<void(T*)>& f)
    {
        f(node->item);
        if (node->left)
            Visit(node->left, f);
        if (node->right)
            Visit(node->right, f);
    }

    CHeapNode<T>* root = nullptr;
    uint32_t count = 0;
    uint32_t level = 0;
};

// An array heap whose top item is the one that HasPriority puts above all others. It grows when pushed
// past its capacity rather than write beyond its array.
template <class T> class CHeap {
public:
    explicit CHeap(int inCapacity)
        : capacity(inCapacity > 0 ? inCapacity : 1)
        , array(std::make_unique<T[]>(this->capacity + 1))
    {
    }
    CHeap(const CHeap&) = delete;
    CHeap& operator=(const CHeap&) = delete;
    virtual ~CHeap() = default;

    // True when a must stand above b; by default the larger value, compared as an unsigned number.
    virtual bool HasPriority(T a, T b)
    {
        if constexpr (std::is_pointer_v<T>)
            return reinterpret_cast<uintptr_t>(a) > reinterpret_cast<uintptr_t>(b);
        else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
            return static_cast<std::make_unsigned_t<T>>(a) > static_cast<std::make_unsigned_t<T>>(b);
        else
            return a > b;
    }

    // An item that only ties with its parent stays below it.
    void Push(T item)
    {
        if (count == capacity)
            Grow();
        int i = ++count;
        while (i > 1) {
            int p = i / 2;
            if (!HasPriority(item, array[p]))
                break;
            array[i] = array[p];
            i = p;
        }
        array[i] = item;
    }

    // Removes and returns the top item; a default value when empty.
    T Pop()
    {
        if (count == 0)
            return T {};
        T top = array[1];
        T last = array[count];
        --count;
        int i = 1;
        while (i <= count / 2) {
            int c = 2 * i;
            if (c < count && HasPriority(array[c + 1], array[c]))
                ++c;
            if (HasPriority(last, array[c]))
                break;
            array[i] = array[c];
            i = c;
        }
        array[i] = last;
        return top;
    }

    int GetSize() const { return count; }
    bool IsEmpty() const { return count == 0; }

private:
    void Grow()
    {
        int bigger = capacity * 2;
        auto grown = std::make_unique<T[]>(bigger + 1);
        for (int i = 1; i <= count; ++i)
            grown[i] = array[i];
        array = std::move(grown);
        capacity = bigger;
    }

    int32_t count = 0;
    int32_t capacity;
    std::unique_ptr<T[]> array;
};
