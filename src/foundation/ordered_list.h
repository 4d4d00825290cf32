// COrderedList, a list that also answers its values as one array in list order: walks over tens of
// thousands of scattered nodes would otherwise wait on each of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/linked_list.h"

template <class T> class COrderedList : public CList<T> {
public:
    using typename CList<T>::Iterator;
    using typename CList<T>::Node;

    COrderedList()
        : orderEpoch(++_orderEpochs)
    {
    }
    COrderedList(const COrderedList&) = delete;
    COrderedList& operator=(const COrderedList&) = delete;

    // Every value in list order. The array is brought up to date here, by following the nodes appended
    // since the last call while nothing was removed.
    const std::vector<T>& GetOrder()
    {
        if (removals != orderRemovals) {
            order.clear();
            orderTail = nullptr;
            orderRemovals = removals;
            orderEpoch = ++_orderEpochs;
        }
        Node* node = orderTail != nullptr ? orderTail->next : this->GetHead().GetNode();
        for (; node != nullptr; node = node->next) {
            order.push_back(node->value);
            orderTail = node;
        }
        // A value put anywhere but at the end is not among the nodes followed: the array is made anew.
        if (order.size() != static_cast<std::size_t>(this->GetSize())) {
            order.clear();
            for (auto it = this->GetHead(); !it.IsEnd(); it++)
                order.push_back(*it);
            orderTail = this->GetTail().GetNode();
            orderEpoch = ++_orderEpochs;
        }
        return order;
    }
    // Changes whenever GetOrder makes its array anew rather than extending it, and differs between lists:
    // while it stays, the array's first entries are the ones an earlier call returned.
    uint64_t GetOrderEpoch() const { return orderEpoch; }

    // Removals are counted, so that GetOrder can tell its array still holds.
    bool Remove(Iterator pos) override
    {
        ++removals;
        return CList<T>::Remove(pos);
    }
    using CList<T>::Remove;
    void RemoveAll() override
    {
        ++removals;
        CList<T>::RemoveAll();
    }
    // Its nodes would stay linked past the array's last one unseen.
    void RemoveAllKeepingNodes() = delete;

private:
    std::vector<T> order;
    // The node of the array's last value, and the removals counted when the array was made.
    Node* orderTail = nullptr;
    uint64_t removals = 0;
    uint64_t orderRemovals = 0;
    uint64_t orderEpoch = 0;
    // Epochs are drawn from one count for every list of the type, so that a new list never repeats an
    // old one's.
    static inline uint64_t _orderEpochs = 0;
};
