// Every device the sound tests open writes what it plays into one WAV file: the "wave" output
// driver, chosen before the first OpenAL call of the process (the library reads its
// configuration once). A test reads the file after its SoundSystem is destroyed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "SoundTestSupport.h"

namespace soundtest {
namespace {

class WaveOutputEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::string conf = dir_ / "alsoft.conf";
    std::ofstream out(conf);
    out << "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\nfrequency=44100\n"
        << "[wave]\nfile=" << WaveOutputPath() << "\n";
    out.close();
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
  }

  TempDir dir_;
};

WaveOutputEnvironment* const environment = static_cast<WaveOutputEnvironment*>(
    ::testing::AddGlobalTestEnvironment(new WaveOutputEnvironment));

}  // namespace

const std::string& WaveOutputPath() {
  static const std::string path = environment->dir_ / "output.wav";
  return path;
}

}  // namespace soundtest
