// Frames a second of the viewer's OpenGL picture (scene and copy to the plotter's buffer) of the
// shipped example's ground and of a 100 x 100 ground, as cuts and as mesh, with the terrain lines
// off and with them on (the window's own settings: mesh and lines on), against a peer in the same
// run: OSMesa drawing the same triangles, and the same outline segments 2 pixels wide, each from one
// glDrawArrays, and the picture copied by one memcpy. The viewer is timed as the window draws (the
// scene compiled once, the camera set anew each frame) and drawn afresh each frame (the one-shot
// path). Each figure is the best of several rounds, so that other work on the machine weighs less.
// Also the wire picture's time per frame.

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "ground/logic/GroundFile.h"
#include "platform/gl/GlSurface.h"
#include "viewer/ui/scene/GlScene.h"
#include "viewer/ui/scene/SoftwareScene.h"

namespace {

using Clock = std::chrono::steady_clock;

viewer::GroundNodes Cuts(int n) {
    viewer::GroundNodes nodes;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            nodes.NodeX.push_back(static_cast<float>(-2500 + 50 * i));
            nodes.NodeY.push_back(static_cast<float>(100 + 50 * j));
            nodes.NodeZ.push_back(static_cast<float>(10 * std::sin(i * 0.2) * std::cos(j * 0.15)));
            nodes.NodeCut.push_back(j + 1);
        }
        nodes.CutNodeCount.push_back(n);
    }
    nodes.CutCount = n + 1;
    return nodes;
}

// The shipped example's cuts as the viewer reads them from the ground editor's grid.
viewer::GroundNodes Example() {
    const ground::GroundReadResult read =
        ground::Read3DFile(std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", false);
    if (!read.data) {
        std::printf("example not read: %s\n", read.error.c_str());
        return {};
    }
    plat::GridModel grid;
    ground::FillGroundGrid(grid, *read.data);
    return viewer::LoadGroundNodes(grid, true);
}

template <class F> double PerSecond(F&& frame) {
    frame();
    double best = 0;
    for (int round = 0; round < 5; ++round) {
        const int frames = 20;
        const auto start = Clock::now();
        for (int k = 0; k < frames; ++k) {
            frame();
        }
        best = std::max(best, frames / std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// The terrain's outline segments as the viewer draws them: each shape's corners in the outline's
// order, each moved 0.1 ft along the shape's normal; a strip of n corners gives n - 1 segments.
void PutOutline(std::vector<float>& lines, const std::vector<common::Vector3>& strip) {
    const common::Vector3 n = common::VecNormalize(common::VecCross(common::VecSubtract(strip[2], strip[1]),
                                                                    common::VecSubtract(strip[1], strip[0])));
    for (std::size_t k = 0; k + 1 < strip.size(); ++k) {
        for (const common::Vector3& p : {strip[k], strip[k + 1]}) {
            const common::Vector3 q = common::VecAdd(p, common::VecScale(n, 0.1F));
            lines.insert(lines.end(), {q.X, q.Y, q.Z});
        }
    }
}

void Run(int w, int h, const viewer::GroundNodes& nodes, bool mesh, bool terrainLines, const char* name) {
    plat::GlSurface surface;
    if (!surface.Create(w, h)) {
        std::printf("no surface\n");
        return;
    }
    plat::PixelBuffer plotter(w, h, plat::PixelFormat::Bgrx32);
    viewer::GlSceneInput in;
    in.ThreeDSource = true;
    in.Show.ExpandMesh = mesh;
    in.Show.ShowTerrainLines = terrainLines;
    in.RunwayLength = 3000;
    in.RunwayWidth = 150;
    in.Eye = {-1000, 0, 150};
    in.Array.Count = 3;
    in.Array.Heights = {15, 30, 45};
    viewer::GroundMesh groundMesh;
    viewer::CompiledGlScene compiled;
    const double ours = PerSecond([&] {
        compiled.Draw(in, nodes, groundMesh, w, h);
        surface.CopyTo(plotter);
    });
    const double oneShot = PerSecond([&] {
        viewer::DrawGLScene(in, nodes, groundMesh, w, h);
        surface.CopyTo(plotter);
    });

    // The peer: the same triangles (two per quad of the cuts, or the mesh's), lit, in one call, and
    // with the lines their outlines in another.
    std::vector<float> vertices;
    std::vector<float> normals;
    std::vector<float> colours;
    std::vector<float> lines;
    const auto put = [&](const common::Vector3& p, const common::Vector3& c) {
        vertices.insert(vertices.end(), {p.X, p.Y, p.Z});
        normals.insert(normals.end(), {0.0F, 0.0F, 1.0F});
        colours.insert(colours.end(), {c.X, c.Y, c.Z});
    };
    const auto scene = [&](int k) {
        const auto n = static_cast<std::size_t>(k);
        return common::Vector3{nodes.NodeY[n], -nodes.NodeX[n], nodes.NodeZ[n]};
    };
    const common::Vector3 green{0.235F, 0.702F, 0.443F};
    if (mesh) {
        const viewer::DelaunayMesh& m = groundMesh.For(nodes);
        for (const viewer::MeshTriangle& t : m.Triangles) {
            std::vector<common::Vector3> corners;
            for (const int v : {t.First, t.Second, t.Third}) {
                const common::Vector3& p = m.Vertices[static_cast<std::size_t>(v)];
                corners.push_back({p.X, -p.Y, p.Z});
                put(corners.back(), green);
            }
            PutOutline(lines, {corners[2], corners[1], corners[0]});
        }
    } else {
        for (const auto& q : viewer::TerrainQuads(nodes)) {
            for (const int k : {q[0], q[1], q[2], q[0], q[2], q[3]}) {
                put(scene(k), green);
            }
            PutOutline(lines, {scene(q[3]), scene(q[2]), scene(q[1]), scene(q[0])});
        }
    }
    if (!terrainLines) {
        lines.clear();
    }
    const double peer = PerSecond([&] {
        glViewport(0, 0, w, h);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(35, static_cast<double>(w) / h, 10, 10000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(-1000, 0, 150, 0, 0, 0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_COLOR_MATERIAL);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, vertices.data());
        glNormalPointer(GL_FLOAT, 0, normals.data());
        glColorPointer(3, GL_FLOAT, 0, colours.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 3));
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        if (!lines.empty()) {
            glLineWidth(2.0F);
            glColor3f(0.1F, 0.1F, 0.1F);
            glVertexPointer(3, GL_FLOAT, 0, lines.data());
            glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines.size() / 3));
        }
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
        std::memcpy(plotter.Bits(), surface.Pixels().Bits(), plotter.Size());
    });
    std::printf("%-14s %-9s %4d x %-4d viewer %6.1f frames/s (one-shot %6.1f)   peer %6.1f frames/s   "
                "peer / viewer %.2f\n",
                name, terrainLines ? "lines on" : "lines off", w, h, ours, oneShot, peer, peer / ours);
}

} // namespace

int main() {
    const viewer::GroundNodes grid = Cuts(100);
    const viewer::GroundNodes example = Example();
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{743, 500}}) {
        for (const bool lines : {false, true}) {
            Run(w, h, example, false, lines, "example cuts");
            Run(w, h, example, true, lines, "example mesh");
            Run(w, h, grid, false, lines, "100x100 cuts");
            Run(w, h, grid, true, lines, "100x100 mesh");
        }
    }
    viewer::SoftwareSceneInput in;
    in.View.Eye = {-1000, 0, 150};
    in.RunwayLength = 3000;
    in.RunwayWidth = 150;
    viewer::PictureScale scale;
    std::size_t shapes = 0;
    const double perSecond = PerSecond([&] { shapes = viewer::SoftwareScene(in, grid, scale).size(); });
    std::printf("wire picture shapes (100x100 cuts): %.2f ms a frame, %zu shapes\n", 1000.0 / perSecond,
                shapes);
    return 0;
}
