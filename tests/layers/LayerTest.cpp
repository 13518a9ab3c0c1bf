// The layers of the source tree: every #include of a library folder names a
// header of its own folder or of a folder it depends on in the top-level
// CMakeLists.txt (directly or through others). So a lower layer can never
// reach a higher one by including its headers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path Source = ZK_SOURCE_DIR;

std::string TargetName(std::string folder)
{
    for (char& c : folder)
        if (c == '/')
            c = '_';
    return "zk_" + folder;
}

struct TLayers {
    std::vector<std::string> Folders;                       // in declaration order
    std::map<std::string, std::set<std::string>> Reaches;   // folder -> folders it may include
};

// Reads the zk_library lines: the folder and the targets it depends on;
// ${ZK_ALL_LIBRARIES} stands for every folder declared before.
TLayers ReadLayers()
{
    TLayers layers;
    std::ifstream in(Source / "CMakeLists.txt");
    std::stringstream text;
    text << in.rdbuf();
    const std::string cmake = text.str();
    const std::regex line(R"(\n\s*zk_library\(([^)]*)\))");
    std::map<std::string, std::string> folderOf;
    for (auto it = std::sregex_iterator(cmake.begin(), cmake.end(), line); it != std::sregex_iterator(); ++it) {
        std::istringstream words((*it)[1].str());
        std::string folder, dep;
        words >> folder;
        std::set<std::string> reaches;
        while (words >> dep) {
            if (dep == "${ZK_ALL_LIBRARIES}") {
                for (const std::string& f : layers.Folders)
                    reaches.insert(f);
            } else if (folderOf.count(dep)) {
                reaches.insert(folderOf[dep]);
                const auto& further = layers.Reaches[folderOf[dep]];
                reaches.insert(further.begin(), further.end());
            }
        }
        if (!layers.Folders.empty())
            reaches.insert("platform");
        folderOf[TargetName(folder)] = folder;
        layers.Folders.push_back(folder);
        layers.Reaches[folder] = reaches;
    }
    return layers;
}

// The library folder a source-relative path lies in (the longest match).
std::string FolderOf(const std::vector<std::string>& folders, const std::string& path)
{
    std::string best;
    for (const std::string& f : folders)
        if (path.rfind(f + "/", 0) == 0 && f.size() > best.size())
            best = f;
    return best;
}

} // namespace

TEST(LayerTest, EveryIncludeStaysInItsLayerOrBelow)
{
    const TLayers layers = ReadLayers();
    ASSERT_GE(layers.Folders.size(), 5u);
    ASSERT_EQ(layers.Folders.front(), "platform");
    const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> violations;
    std::size_t files = 0;
    for (const std::string& folder : layers.Folders) {
        if (!fs::is_directory(Source / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(Source / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string path = fs::relative(entry.path(), Source).generic_string();
            const std::string own = FolderOf(layers.Folders, path);
            ++files;
            std::ifstream in(entry.path());
            std::string text;
            std::smatch m;
            while (std::getline(in, text)) {
                if (!std::regex_search(text, m, include))
                    continue;
                const std::string target = FolderOf(layers.Folders, m[1].str());
                if (target.empty() || target == own || layers.Reaches.at(own).count(target))
                    continue;
                violations.push_back(path + " includes " + m[1].str());
            }
        }
    }
    EXPECT_GT(files, 100u);
    EXPECT_TRUE(violations.empty()) << [&] {
        std::string all;
        for (const std::string& v : violations)
            all += v + "\n";
        return all;
    }();
}

TEST(LayerTest, LowerLayersReachNoHigherOne)
{
    const TLayers layers = ReadLayers();
    const auto reaches = [&](const std::string& from, const std::string& to) {
        return layers.Reaches.at(from).count(to) != 0;
    };
    EXPECT_FALSE(reaches("platform", "engine"));
    EXPECT_FALSE(reaches("engine", "dialogs"));
    EXPECT_FALSE(reaches("dialogs", "components/digital"));
    EXPECT_FALSE(reaches("components/digital", "shell"));
    EXPECT_FALSE(reaches("panel/framework", "shell"));
    EXPECT_TRUE(reaches("dialogs", "engine"));
    EXPECT_TRUE(reaches("shell", "panel/framework"));
}

// The library generator registers the component classes from their table
// and never includes the main window.
TEST(LayerTest, LibraryGeneratorDoesNotIncludeTheMainWindow)
{
    for (const auto& entry : fs::directory_iterator(Source / "tools")) {
        std::ifstream in(entry.path());
        std::string text;
        while (std::getline(in, text))
            EXPECT_EQ(text.find("shell/MainForm.h"), std::string::npos) << entry.path();
    }
}
