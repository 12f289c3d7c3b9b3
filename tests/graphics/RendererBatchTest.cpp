// The quad batch: vertex layout of each quad operation, the flush at 2048 vertices, the
// frame counters and the caller-filled vertex array.
#include "RecordingRenderer.h"

namespace {

class BatchTest : public RecordingRendererTest {
 protected:
  void SetUp() override { Start(); }

  // The vertices of the next flush.
  const std::vector<Vertex>& Flushed() {
    renderer->Flush();
    return device->lastVertices;
  }
};

void ExpectVertex(const Vertex& v, float x, float y, float u, float vv, uint32_t colour) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, 0.0f);
  EXPECT_FLOAT_EQ(v.u, u);
  EXPECT_FLOAT_EQ(v.v, vv);
  EXPECT_EQ(v.colour, colour);
}

TEST_F(BatchTest, The512thQuadFlushesAtOnce) {
  AddQuads(511);
  EXPECT_EQ(device->Count(Op::DrawQuads), 0);
  AddQuads(1);
  ASSERT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 2048);
  EXPECT_EQ(device->Last(Op::DrawQuads)->b, 3072);
  EXPECT_EQ(renderer->Triangles(), 1024);
  EXPECT_EQ(renderer->DrawCalls(), 1);

  // The batch starts again from the front.
  AddQuads(2);
  EXPECT_EQ(renderer->Flush(), 4);
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 8);
  EXPECT_EQ(device->Last(Op::DrawQuads)->b, 12);
  EXPECT_EQ(renderer->Triangles(), 1028);
  EXPECT_EQ(renderer->DrawCalls(), 2);

  // An empty batch draws nothing; Present starts the counts again.
  EXPECT_EQ(renderer->Flush(), 0);
  EXPECT_EQ(device->Count(Op::DrawQuads), 2);
  renderer->Present();
  EXPECT_EQ(renderer->Triangles(), 0);
  EXPECT_EQ(renderer->DrawCalls(), 0);
}

TEST_F(BatchTest, QuadOperationsLayOutCornersAndTextureCoordinates) {
  const Rect rect{-10, 20, 30, -40};
  const TexRect tex{0.1f, 0.2f, 0.3f, 0.4f};
  renderer->AddQuad(rect, tex, 0x80102030);
  renderer->AddQuadTransposedUV(rect, tex, 0x11223344);
  renderer->AddGradientQuad(rect, 0xFF0000FF, 0xFFFF0000);
  renderer->AddQuadCorners({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, tex, 0xFFFFFFFF);
  const auto& v = Flushed();
  ASSERT_EQ(v.size(), 16u);

  ExpectVertex(v[0], -10, 20, 0.1f, 0.2f, 0x80102030);
  ExpectVertex(v[1], 30, 20, 0.3f, 0.2f, 0x80102030);
  ExpectVertex(v[2], 30, -40, 0.3f, 0.4f, 0x80102030);
  ExpectVertex(v[3], -10, -40, 0.1f, 0.4f, 0x80102030);

  ExpectVertex(v[4], -10, 20, 0.1f, 0.2f, 0x11223344);
  ExpectVertex(v[5], 30, 20, 0.1f, 0.4f, 0x11223344);
  ExpectVertex(v[6], 30, -40, 0.3f, 0.4f, 0x11223344);
  ExpectVertex(v[7], -10, -40, 0.3f, 0.2f, 0x11223344);

  ExpectVertex(v[8], -10, 20, 0, 0, 0xFF0000FF);
  ExpectVertex(v[9], 30, 20, 1, 0, 0xFF0000FF);
  ExpectVertex(v[10], 30, -40, 1, 1, 0xFFFF0000);
  ExpectVertex(v[11], -10, -40, 0, 1, 0xFFFF0000);

  EXPECT_FLOAT_EQ(v[12].z, 3);
  EXPECT_FLOAT_EQ(v[14].x, 7);
  EXPECT_FLOAT_EQ(v[15].y, 11);
  EXPECT_FLOAT_EQ(v[13].u, 0.3f);
  EXPECT_FLOAT_EQ(v[15].v, 0.4f);
}

TEST_F(BatchTest, ScreenQuadsAreConvertedFromTheTopLeftDesignCanvas) {
  renderer->AddScreenQuad({0, 0, 1024, 768});
  renderer->AddScreenQuad({100, 50, 300, 150}, kFullTexRect, 0xFF00FF00);
  auto v = Flushed();
  ExpectVertex(v[0], -512, 384, 0, 0, kWhite);
  ExpectVertex(v[2], 512, -384, 1, 1, kWhite);
  // centre (200, 100) on the canvas is (-312, 284) virtual.
  ExpectVertex(v[4], -412, 334, 0, 0, 0xFF00FF00);
  ExpectVertex(v[6], -212, 234, 1, 1, 0xFF00FF00);

  // Mode 4 designs on a 1280 × 768 canvas, centred in the 800-high screen.
  renderer->SetAspectMode(AspectMode::Screen16x10);
  renderer->AddScreenQuad({0, 0, 1280, 768});
  v = Flushed();
  ExpectVertex(v[0], -640, 384, 0, 0, kWhite);
  ExpectVertex(v[2], 640, -384, 1, 1, kWhite);
}

TEST_F(BatchTest, CallerFilledVerticesDrawWithTheirCounts) {
  AddQuads(3);
  Vertex* array = renderer->VertexArray();
  EXPECT_EQ(device->Count(Op::DrawQuads), 1);  // the pending quads went first
  array[0] = {1, 2, 0, 0xFF112233, 0, 0};
  renderer->DrawVertexArray(8, 12);
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 8);
  EXPECT_EQ(device->Last(Op::DrawQuads)->b, 12);
  EXPECT_EQ(device->lastVertices[0].colour, 0xFF112233u);
  EXPECT_EQ(renderer->Triangles(), 6 + 4);
  EXPECT_EQ(renderer->DrawCalls(), 2);

  const uint16_t fan[] = {0, 1, 2, 0, 2, 3, 0, 3, 4};
  renderer->DrawIndexed(fan, 5, 9);
  EXPECT_EQ(device->Last(Op::DrawIndexed)->b, 9);
  EXPECT_EQ(device->lastIndices, std::vector<uint16_t>(std::begin(fan), std::end(fan)));
  EXPECT_EQ(renderer->Triangles(), 13);
  EXPECT_EQ(renderer->DrawCalls(), 3);

  // Counts beyond the shared arrays, or indices past the vertices given, draw nothing.
  device->ClearLog();
  renderer->DrawVertexArray(2049, 6);
  renderer->DrawVertexArray(4, 3078);
  renderer->DrawVertexArray(4, 12);  // two quads need eight vertices
  renderer->DrawIndexed(fan, 4, 9);
  renderer->DrawIndexed(nullptr, 4, 3);
  EXPECT_TRUE(device->calls.empty());
  EXPECT_EQ(renderer->DrawCalls(), 3);
}

}  // namespace
