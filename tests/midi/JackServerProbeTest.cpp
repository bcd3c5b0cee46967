#include "midi/JackServerProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class JackServerProbe : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/hbx740-jack-probe-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder = pattern;
        Places.ServerFolder = Folder;
        Places.ServerName = "studio";
        Places.UserId = 1000;
    }
    void TearDown() override { fs::remove_all(Folder); }

    void Touch(const fs::path& relative) {
        fs::create_directories((Folder / relative).parent_path());
        std::ofstream(Folder / relative).put('\0');
    }

    fs::path Folder;
    JackServerPlaces Places;
};

TEST_F(JackServerProbe, FindsEachServersSocketOfThisUserAndServerOnly) {
    EXPECT_FALSE(JackServerSocketPresent(Places));
    Touch("jack_default_1000_0");
    Touch("jack_studio_0_0");
    Touch("jack-0/studio/jack_0");
    EXPECT_FALSE(JackServerSocketPresent(Places));

    Touch("jack_studio_1000_0");
    EXPECT_TRUE(JackServerSocketPresent(Places));
    fs::remove(Folder / "jack_studio_1000_0");

    Touch("jack-1000/studio/jack_0");
    EXPECT_TRUE(JackServerSocketPresent(Places));
}

TEST_F(JackServerProbe, ASharedServerHasNoUserInItsName) {
    Places.Promiscuous = true;
    Touch("jack_studio_1000_0");
    EXPECT_FALSE(JackServerSocketPresent(Places));
    Touch("jack_studio_0");
    EXPECT_TRUE(JackServerSocketPresent(Places));
    fs::remove(Folder / "jack_studio_0");
    Touch("jack/studio/jack_0");
    EXPECT_TRUE(JackServerSocketPresent(Places));
}

TEST_F(JackServerProbe, PipeWiresSocketCountsAsAServer) {
    Places.PipeWireSocket = Folder / "run" / "pipewire-0";
    EXPECT_FALSE(JackServerSocketPresent(Places));
    Touch("run/pipewire-0");
    EXPECT_TRUE(JackServerSocketPresent(Places));
}

TEST(JackServerPlaces, AreReadOffTheEnvironmentAsTheClientLibrariesReadThem) {
    setenv("JACK_DEFAULT_SERVER", "studio", 1);
    setenv("JACK_PROMISCUOUS_SERVER", "1", 1);
    setenv("XDG_RUNTIME_DIR", "/run/user/1000", 1);
    setenv("PIPEWIRE_REMOTE", "pipewire-1", 1);
    unsetenv("PIPEWIRE_RUNTIME_DIR");
    JackServerPlaces places = JackServerPlaces::FromEnvironment();
    EXPECT_EQ(places.ServerFolder, "/dev/shm");
    EXPECT_EQ(places.ServerName, "studio");
    EXPECT_TRUE(places.Promiscuous);
    EXPECT_EQ(places.UserId, getuid());
    EXPECT_EQ(places.PipeWireSocket, fs::path("/run/user/1000/pipewire-1"));

    setenv("PIPEWIRE_REMOTE", "/tmp/pw", 1);
    EXPECT_EQ(JackServerPlaces::FromEnvironment().PipeWireSocket, fs::path("/tmp/pw"));

    unsetenv("JACK_DEFAULT_SERVER");
    unsetenv("JACK_PROMISCUOUS_SERVER");
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("PIPEWIRE_REMOTE");
    places = JackServerPlaces::FromEnvironment();
    EXPECT_EQ(places.ServerName, "default");
    EXPECT_FALSE(places.Promiscuous);
    EXPECT_FALSE(places.PipeWireSocket);
}

} // namespace
