#include "imaging/cPal8bppOctree.h"

#include <algorithm>
#include <cmath>

#include "imaging/RoundHalfEven.h"

namespace imaging {

namespace {

constexpr std::size_t kInitialNodes = 50;
constexpr int kMaxLevels = 8;

// The bits that a value takes at levels 1..8 when each level compares value x weight with the middle
// of its box and keeps the half it lies in. A component's box depends on its own bits only, so the
// walk of all 256 values can be done once per weight.
std::uint32_t LevelBits(int value, float weight, int component) {
    int lo = 0;
    int hi = 255;
    std::uint32_t bits = 0;
    const float scaled = static_cast<float>(value) * weight;
    for (int level = 0; level < kMaxLevels; ++level) {
        const int mid = static_cast<int>(DivideHalfEven(lo + hi, 2));
        if (scaled <= static_cast<float>(mid)) {
            hi = mid;
        } else {
            lo = mid;
            bits |= 1u << (3 * level + component);
        }
    }
    return bits;
}

std::uint8_t Mean(std::uint64_t sum, std::uint64_t count) {
    const std::uint64_t q = sum / count;
    const std::uint64_t r = sum % count;
    const bool up = 2 * r > count || (2 * r == count && (q & 1) != 0);
    return static_cast<std::uint8_t>(q + (up ? 1 : 0));
}

} // namespace

void cPal8bppOctree::Begin(int maxColours, int depth, float redWeight, float greenWeight, float blueWeight) {
    maxColours_ = std::clamp(maxColours, 1, 256);
    maxDepth_ = std::clamp(depth, 1, kMaxLevels);
    const float weights[3] = {redWeight, greenWeight, blueWeight};
    for (int component = 0; component < 3; ++component)
        for (int value = 0; value < 256; ++value)
            pathBits_[component][value] = LevelBits(value, weights[component], component);
    nodes_.assign(kInitialNodes + 1, Node{});
    nodesInUse_ = 1;
    freeHead_ = 0;
    leafCount_ = 0;
    reducible_.fill(0);
    lastLeaf_ = 0;
}

void cPal8bppOctree::AddPixels(const std::uint8_t* bits, int width, int height, std::ptrdiff_t stride) {
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = bits + y * stride;
        for (int x = 0; x < width; ++x, p += 4) {
            const std::uint32_t colour = p[0] | (p[1] << 8) | (p[2] << 16);
            if (lastLeaf_ != 0 && colour == lastColour_) {
                Node& leaf = nodes_[lastLeaf_];
                leaf.blueSum += p[0];
                leaf.greenSum += p[1];
                leaf.redSum += p[2];
                ++leaf.pixelCount;
                continue;
            }
            lastColour_ = colour;
            AddColour(p[2], p[1], p[0]);
            while (leafCount_ > maxColours_) {
                lastLeaf_ = 0;
                if (!ReduceTree())
                    break;
            }
        }
    }
}

void cPal8bppOctree::AddColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::uint32_t path = pathBits_[0][red] | pathBits_[1][green] | pathBits_[2][blue];
    std::int32_t node = 1;
    for (int level = 1;; ++level) {
        const unsigned index = (path >> (3 * (level - 1))) & 7u;
        std::int32_t child = nodes_[node].children[index];
        if (child == 0) {
            child = NewNode();
            nodes_[node].children[index] = child;
            Node& made = nodes_[child];
            made.leaf = level == maxDepth_;
            made.listed = false;
            made.redSum = made.greenSum = made.blueSum = made.pixelCount = 0;
            made.next = 0;
        }
        Node& c = nodes_[child];
        if (c.leaf) {
            if (c.pixelCount == 0)
                ++leafCount_;
            ++c.pixelCount;
            c.redSum += red;
            c.greenSum += green;
            c.blueSum += blue;
            lastLeaf_ = child;
            return;
        }
        if (!c.listed) {
            c.next = reducible_[level];
            reducible_[level] = child;
            c.listed = true;
        }
        node = child;
    }
}

bool cPal8bppOctree::ReduceTree() {
    int level = maxDepth_;
    while (level >= 1 && reducible_[level] == 0)
        --level;
    if (level < 1)
        return false;
    const std::int32_t node = reducible_[level];
    reducible_[level] = nodes_[node].next;
    std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    for (std::int32_t& child : nodes_[node].children) {
        if (child == 0)
            continue;
        const Node& c = nodes_[child];
        red += c.redSum;
        green += c.greenSum;
        blue += c.blueSum;
        count += c.pixelCount;
        FreeNode(child);
        --leafCount_;
        child = 0;
    }
    ++leafCount_;
    Node& n = nodes_[node];
    n.leaf = true;
    n.redSum = red;
    n.greenSum = green;
    n.blueSum = blue;
    n.pixelCount = count;
    return true;
}

std::int32_t cPal8bppOctree::NewNode() {
    if (freeHead_ != 0) {
        const std::int32_t node = freeHead_;
        freeHead_ = nodes_[node].next;
        nodes_[node].children.fill(0);
        ++nodesInUse_;
        return node;
    }
    const std::int32_t node = ++nodesInUse_;
    if (static_cast<std::size_t>(node) >= nodes_.size())
        nodes_.resize(static_cast<std::size_t>(DivideHalfEven(node * 11LL, 10)) + 1);
    return node;
}

void cPal8bppOctree::FreeNode(std::int32_t node) {
    Node& n = nodes_[node];
    n.next = freeHead_;
    n.leaf = false;
    n.listed = false;
    freeHead_ = node;
    --nodesInUse_;
}

std::vector<cPal8bppOctree::Colour> cPal8bppOctree::LeafColours() const {
    std::vector<Colour> colours;
    for (std::size_t i = 1; i < nodes_.size(); ++i) {
        const Node& n = nodes_[i];
        if (n.leaf && n.pixelCount > 0)
            colours.push_back({Mean(n.redSum, n.pixelCount), Mean(n.greenSum, n.pixelCount),
                               Mean(n.blueSum, n.pixelCount)});
    }
    return colours;
}

} // namespace imaging
