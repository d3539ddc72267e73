#pragma once

#include <cstddef>
#include <iterator>
#include <vector>

// The hook by which an element stands in a TRankedList. Elements derive from it; only the list
// touches it.
class TRankedLink {
    friend class TRankedLinks;

    TRankedLink* parent_ = nullptr;
    TRankedLink* left_ = nullptr;
    TRankedLink* right_ = nullptr;
    int size_ = 1; // links in the subtree rooted here
    int height_ = 1;
};

// A sequence of links kept as a balanced tree (AVL) whose nodes count their subtrees, so that
// inserting, removing, finding the position of a link and the link at a position all cost
// O(log n), and nothing recurses. The sequence does not own its links.
class TRankedLinks {
public:
    int Count() const { return SizeOf(root_); }
    TRankedLink* At(int position) const; // none outside 0 … Count() - 1
    TRankedLink* First() const;
    TRankedLink* Last() const;
    static int PositionOf(const TRankedLink* link);
    static TRankedLink* Next(const TRankedLink* link);
    static TRankedLink* Previous(const TRankedLink* link);

    // before: a link of this sequence, or none to append.
    void InsertBefore(TRankedLink* link, TRankedLink* before);
    void Remove(TRankedLink* link);
    // Makes the sequence exactly these links, in this order, in O(n).
    void Assign(const std::vector<TRankedLink*>& links);
    // Drops every link at once, without touching them (their owner has released them).
    void Forget() { root_ = nullptr; }

    // The first link for which isBefore fails, or none; isBefore must hold for a prefix only.
    template <typename Predicate> TRankedLink* PartitionPoint(Predicate&& isBefore) const
    {
        TRankedLink* found = nullptr;
        for (TRankedLink* link = root_; link;) {
            if (isBefore(link)) {
                link = link->right_;
            } else {
                found = link;
                link = link->left_;
            }
        }
        return found;
    }

private:
    static int SizeOf(const TRankedLink* link) { return link ? link->size_ : 0; }
    static int HeightOf(const TRankedLink* link) { return link ? link->height_ : 0; }
    static TRankedLink* Leftmost(TRankedLink* link);
    static TRankedLink* Rightmost(TRankedLink* link);
    static void Refresh(TRankedLink* link);
    void ReplaceChild(TRankedLink* parent, TRankedLink* child, TRankedLink* replacement);
    TRankedLink* RotateLeft(TRankedLink* link);
    TRankedLink* RotateRight(TRankedLink* link);
    TRankedLink* Rebalance(TRankedLink* link);
    // Restores sizes, heights and balance from link up to the root.
    void FixUpwards(TRankedLink* link);

    TRankedLink* root_ = nullptr;
};

// TRankedLinks for elements of type T, which derive from TRankedLink.
template <typename T> class TRankedList {
public:
    class TIterator {
    public:
        // Multi-pass, but *it gives a value, which only the C++20 concepts accept as forward.
        using iterator_category = std::input_iterator_tag;
        using iterator_concept = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = T*;

        TIterator() = default;
        explicit TIterator(T* element) : element_(element) {}
        T* operator*() const { return element_; }
        TIterator& operator++()
        {
            element_ = Next(element_);
            return *this;
        }
        TIterator operator++(int)
        {
            TIterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const TIterator&) const = default;

    private:
        T* element_ = nullptr;
    };

    int Count() const { return links_.Count(); }
    bool IsEmpty() const { return Count() == 0; }
    T* At(int position) const { return Cast(links_.At(position)); }
    T* First() const { return Cast(links_.First()); }
    T* Last() const { return Cast(links_.Last()); }
    static int PositionOf(const T* element) { return TRankedLinks::PositionOf(element); }
    static T* Next(const T* element) { return Cast(TRankedLinks::Next(element)); }
    static T* Previous(const T* element) { return Cast(TRankedLinks::Previous(element)); }
    TIterator begin() const { return TIterator(First()); }
    TIterator end() const { return TIterator(); }

    void InsertBefore(T* element, T* before) { links_.InsertBefore(element, before); }
    void Append(T* element) { links_.InsertBefore(element, nullptr); }
    void Remove(T* element) { links_.Remove(element); }
    void Assign(const std::vector<T*>& elements)
    {
        links_.Assign(std::vector<TRankedLink*>(elements.begin(), elements.end()));
    }
    void Forget() { links_.Forget(); }
    std::vector<T*> ToVector() const
    {
        std::vector<T*> elements;
        elements.reserve(std::size_t(Count()));
        for (T* element : *this)
            elements.push_back(element);
        return elements;
    }

    template <typename Predicate> T* PartitionPoint(Predicate&& isBefore) const
    {
        return Cast(links_.PartitionPoint(
            [&isBefore](const TRankedLink* link) { return isBefore(Cast(link)); }));
    }

private:
    static T* Cast(const TRankedLink* link)
    {
        return static_cast<T*>(const_cast<TRankedLink*>(link));
    }

    TRankedLinks links_;
};
