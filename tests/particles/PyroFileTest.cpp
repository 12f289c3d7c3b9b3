// The effect file rules: the header's identifier and version range with their messages, the
// trailing values and the exact end, counts bounded by the bytes left, and damaged files.
#include <cstring>

#include "ParticleFixtures.h"
#include "particles/CGraphics.h"
#include "particles/PyroParticles.h"

using namespace PyroParticles;

namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
}

FileDesc ReadBytes(const std::vector<uint8_t>& bytes) {
  Engine::CInFile in(bytes.data(), bytes.size());
  return ReadPyro(in, "Invalid or corrupted .pyro file ");
}

// The message of what reading the bytes throws ("" when it loads).
std::string LoadMessage(const std::vector<uint8_t>& bytes) {
  try {
    ReadBytes(bytes);
  } catch (const Engine::CException& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(PyroFile, TheHeaderNamesWhatIsWrongWithIt) {
  std::vector<uint8_t> bytes = WritePyro(SimpleEffect());
  EXPECT_EQ(LoadMessage(bytes), "");

  std::vector<uint8_t> wrongId = bytes;
  wrongId[0] = 'p';
  EXPECT_EQ(LoadMessage(wrongId), "Invalid .pyro file ID");

  std::vector<uint8_t> old = bytes;
  Put32(old, 4, 0x23FFF);
  EXPECT_EQ(LoadMessage(old),
            "File was saved using old Pyro editor. Please, update this .pyro file.");
  std::vector<uint8_t> newer = bytes;
  Put32(newer, 4, 0x28001);
  EXPECT_EQ(LoadMessage(newer),
            "File was saved using new Pyro editor. Please, make sure your are using SDK from "
            "the same distribution.");
  // Both ends of the range are accepted.
  for (uint32_t version : {0x24000u, 0x28000u}) {
    std::vector<uint8_t> edge = bytes;
    Put32(edge, 4, version);
    EXPECT_EQ(ReadBytes(edge).version, version);
  }
}

TEST(PyroFile, TheStreamMustEndRightAfterTheReservedValues) {
  std::vector<uint8_t> bytes = WritePyro(SimpleEffect());
  // The extra value and the twelve reserved values are read past, whatever they hold.
  for (size_t i = bytes.size() - 52; i < bytes.size(); ++i) bytes[i] = 0xAB;
  EXPECT_EQ(ReadBytes(bytes).extra, 0xABABABABu);

  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_EQ(LoadMessage(longer), "Invalid or corrupted .pyro file ");

  // Through a host stream: a short read is the stream's own error; from a path the file
  // name is in the message.
  std::unique_ptr<IPyroParticleLibrary> library(
      CreateParticleLibrary(kPyroInterfaceVersion, kPyroVertexColourTexture));
  std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - 3);
  CBytesFileIO io(shorter);
  try {
    delete library->LoadPyroFile(&io);
    FAIL() << "a truncated file loaded";
  } catch (const Engine::CException& e) {
    EXPECT_STREQ(e.what(), "Archive serialization error: Cannot read 4 bytes, 1 readed");
  }
  EffectFolder dir;
  const std::string path = dir.Write("long.pyro", longer);
  try {
    delete library->LoadPyroFile(path.c_str());
    FAIL() << "a file with trailing bytes loaded";
  } catch (const CPyroException& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid or corrupted .pyro file '" + path + "'");
  }
  const std::string missing = (dir.path() / "none.pyro").string();
  try {
    delete library->LoadPyroFile(missing.c_str());
    FAIL() << "a missing file loaded";
  } catch (const Engine::CException& e) {
    EXPECT_EQ(std::string(e.what()), "CFile::Open(...) : Unable to open file '" + missing + "'");
  }
}

TEST(PyroFile, AWrittenFileReadsBackTheSame) {
  FileDesc desc = SimpleEffect(false);
  desc.emitters[0].duration = 2.5f;
  LayerDesc& l = desc.emitters[0].layers[0];
  l.flags = kLayerAlignToMotion | kLayerAnimateFrames;
  l.sourceBlend = kFactorOne;
  l.destBlend = kFactorOne;
  l.burst = 7;
  l.rate.keys = {{0.0f, 5.0f}, {0.5f, 50.0f}, {1.0f, 0.0f}};
  l.area = AreaKind::EllipseEdge;
  l.areaWidth = 30;
  l.areaHeight = 12;
  l.gravityY = 98.0f;
  l.alpha.keys = {{0.0f, 1.0f}, {1.0f, 0.0f}};
  desc.shapes[0].frames = 4;
  MeshDesc mesh;
  mesh.name = "quad";
  mesh.bitmap = 0;
  mesh.vertices = {{0, 0, 0, 0}, {1, 0, 1, 0}, {1, 1, 1, 1}};
  desc.meshes.push_back(mesh);

  const FileDesc back = ReadBytes(WritePyro(desc));
  ASSERT_EQ(back.emitters.size(), 1u);
  EXPECT_FALSE(back.emitters[0].looping);
  EXPECT_EQ(back.emitters[0].duration, 2.5f);
  const LayerDesc& r = back.emitters[0].layers[0];
  EXPECT_EQ(r.flags, l.flags);
  EXPECT_EQ(r.sourceBlend, kFactorOne);
  EXPECT_EQ(r.burst, 7u);
  ASSERT_EQ(r.rate.keys.size(), 3u);
  EXPECT_EQ(r.rate.At(0.25f), 27.5f);
  EXPECT_EQ(r.area, AreaKind::EllipseEdge);
  EXPECT_EQ(r.areaHeight, 12.0f);
  EXPECT_EQ(r.gravityY, 98.0f);
  EXPECT_EQ(r.alpha.At(0.5f), 0.5f);
  EXPECT_EQ(back.shapes[0].frames, 4u);
  ASSERT_EQ(back.meshes.size(), 1u);
  EXPECT_EQ(back.meshes[0].vertices[2][3], 1.0f);
  EXPECT_EQ(back.bitmaps[0].rgba, desc.bitmaps[0].rgba);
}

TEST(PyroFile, BrokenContentIsRefusedBeforeAnythingLargeIsMade) {
  const std::vector<uint8_t> good = WritePyro(SimpleEffect());
  // A bitmap count far beyond the bytes there are.
  std::vector<uint8_t> many = good;
  Put32(many, 8, 0x7FFFFFFF);
  EXPECT_EQ(LoadMessage(many), "Invalid or corrupted .pyro file ");
  // A bitmap claiming 1024 × 1024 pixels in a file of a few hundred bytes.
  std::vector<uint8_t> big = good;
  Put32(big, 12 + 4 + 5, 1024);  // after the count and the name "white"
  Put32(big, 12 + 4 + 5 + 4, 1024);
  EXPECT_EQ(LoadMessage(big), "Invalid or corrupted .pyro file ");

  // A curve without keys, a layer naming a shape that is not there, a zero life.
  FileDesc noKeys = SimpleEffect();
  noKeys.emitters[0].layers[0].size.keys.clear();
  EXPECT_EQ(LoadMessage(WritePyro(noKeys)), "Invalid or corrupted .pyro file ");
  FileDesc badShape = SimpleEffect();
  badShape.emitters[0].layers[0].shape = 3;
  EXPECT_EQ(LoadMessage(WritePyro(badShape)), "Invalid or corrupted .pyro file ");
  FileDesc noLife = SimpleEffect();
  noLife.emitters[0].layers[0].lifeMin = 0.0f;
  EXPECT_EQ(LoadMessage(WritePyro(noLife)), "Invalid or corrupted .pyro file ");

  // A memory stream asked for more than it holds says so.
  const uint8_t two[2] = {1, 2};
  Engine::CInFile in(two, 2);
  uint8_t four[4];
  try {
    in.Read(four, 4);
    FAIL();
  } catch (const Engine::CException& e) {
    EXPECT_STREQ(e.what(), "CInFile : Requested size is invalid (2 < 4)");
  }
}

// Every truncation and a few thousand random mutations of a real file either load or fail
// with a library error: no crash, no hang, no huge allocation (the sanitizer build checks).
TEST(PyroFile, TruncatedAndMutatedFilesFailCleanly) {
  FileDesc desc = SimpleEffect();
  desc.emitters.push_back(desc.emitters[0]);
  desc.emitters[1].name = "second";
  const std::vector<uint8_t> good = WritePyro(desc);
  for (size_t n = 0; n < good.size(); ++n) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
    EXPECT_NE(LoadMessage(cut), "") << "cut at " << n;
  }
  std::mt19937 random(1234);
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> bytes = good;
    const int changes = 1 + int(random() % 4);
    for (int c = 0; c < changes; ++c) {
      const size_t at = random() % bytes.size();
      switch (random() % 3) {
        case 0:
          bytes[at] = uint8_t(random());
          break;
        case 1:
          bytes[at] ^= uint8_t(1u << (random() % 8));
          break;
        default:
          if (at + 4 <= bytes.size()) Put32(bytes, at, 0xFFFFFFF0u + random() % 16);
      }
    }
    if (LoadMessage(bytes) != "") ++refused;
  }
  EXPECT_GT(refused, 100);  // the mutations did reach the checks
}

TEST(PyroLibrary, CreationAndDeviceFailuresCarryTheirMessages) {
  try {
    delete CreateParticleLibrary(0x10200, 2);
    FAIL();
  } catch (const CPyroException& e) {
    EXPECT_STREQ(e.what(), "Incompatible Pyro.dll and SDK version (DLL = 1.2.0, SDK = 1.1.15)");
  }

  // A device that cannot make the shared vertex buffer.
  class NoBuffers final : public PyroGraphics::IDevice {
   public:
    void SetBlending(uint32_t, uint32_t) override {}
    PyroGraphics::IVertexBuffer* CreateVertexBuffer(int, int, int, int) override { return nullptr; }
    PyroGraphics::IVertexBuffer2* CreateVertexBuffer2(int, int, int, int) override {
      return nullptr;
    }
    int Unsupported() override { return -1; }
    PyroGraphics::ITexture* CreateTexture(const PyroGraphics::IBitmap&) override { return nullptr; }
    PyroGraphics::IBitmap* CreateBitmap(int, int, int, const uint8_t*) override { return nullptr; }
    int Nothing() override { return 0; }
    void SetTexture(PyroGraphics::ITexture*) override {}
    void DrawQuads(PyroGraphics::IVertexBuffer&, int, int) override {}
    void Draw(PyroGraphics::IVertexBuffer&, int, int) override {}
    int NothingElse() override { return 0; }
    void Destroy() override {}
  } device;
  std::unique_ptr<IPyroParticleLibrary> library(CreateParticleLibrary(kPyroInterfaceVersion, 2));
  EXPECT_EQ(library->BatchCapacity(), 512);
  try {
    library->Init(&device, 0);
    FAIL();
  } catch (const PyroGraphics::CPyroGraphicsException& e) {
    EXPECT_STREQ(e.what(), "Can't particles vertex buffer");
  }

  CBytesFileIO io(WritePyro(SimpleEffect()));
  std::unique_ptr<IPyroFile> file(library->LoadPyroFile(&io));
  EXPECT_EQ(file->EmitterCount(), 1);
  EXPECT_EQ(file->Emitter(0)->Name(), "main");
  EXPECT_EQ(file->FindEmitter("main"), file->Emitter(0));
  try {
    delete file->CreateEmitter("smoke");
    FAIL();
  } catch (const CPyroException& e) {
    EXPECT_STREQ(e.what(), "Unable to find Pyro emitter 'smoke'");
  }
}
