#pragma once

// The octree colour quantiser behind cPal8bpp::CreateOptimal: pixels are added one by one, and after
// each the tree is reduced until it holds no more than the allowed number of coloured leaves. Each
// leaf then stands for the mean of the pixels that fell into it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging {

class cPal8bppOctree {
public:
    // One leaf's colour: the component means, rounded to the nearest whole number, halves to even.
    struct Colour {
        std::uint8_t red, green, blue;
    };

    // Starts an empty tree. depth counts the levels of splits (leaves lie one level below it); it is
    // held to 1..8. maxColours is held to 1..256, the most a palette holds. The weights scale each
    // component before it is compared with the middle of its box.
    void Begin(int maxColours, int depth, float redWeight, float greenWeight, float blueWeight);

    // Counts every pixel of a picture of rows of 32-bit pixels (bytes blue, green, red, unused),
    // `stride` bytes apart, top row first.
    void AddPixels(const std::uint8_t* bits, int width, int height, std::ptrdiff_t stride);

    // The colours of the leaves, in the order of their node numbers.
    std::vector<Colour> LeafColours() const;

    int LeafCount() const { return leafCount_; }

private:
    struct Node {
        bool leaf = false;
        bool listed = false;
        // 64 bits: one leaf may count every pixel of a large picture.
        std::uint64_t redSum = 0, greenSum = 0, blueSum = 0;
        std::uint64_t pixelCount = 0;
        std::array<std::int32_t, 8> children{};
        std::int32_t next = 0;
    };

    void AddColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    bool ReduceTree();
    std::int32_t NewNode();
    void FreeNode(std::int32_t node);

    // Per component and value: the bits that choose the child at each level, spread so that the
    // three components OR together into the child index of level L at bits 3(L-1)..3(L-1)+2.
    std::array<std::array<std::uint32_t, 256>, 3> pathBits_{};
    std::vector<Node> nodes_; // node numbers from 1; slot 0 unused
    std::int32_t nodesInUse_ = 0;
    std::int32_t freeHead_ = 0;
    int maxDepth_ = 8;
    int maxColours_ = 256;
    int leafCount_ = 0;
    std::array<std::int32_t, 9> reducible_{}; // lists 1..8
    // The leaf the previous pixel went to while the tree has not been reduced since: a run of one
    // colour then costs no walk.
    std::uint32_t lastColour_ = 0;
    std::int32_t lastLeaf_ = 0;
};

} // namespace imaging
