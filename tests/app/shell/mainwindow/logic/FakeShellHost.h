#pragma once
// A main window without a window: records what the shell logic asks of it, answers dialogs by script.

#include "platform/ui/testing/ScratchFolder.h"
#include "shell/mainwindow/logic/ShellCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeShellHost : public shell::ShellHost {
public:
    explicit FakeShellHost(shell::ModelVariables& m) : m_(m) {}

    std::vector<std::string> log;
    std::deque<std::optional<std::string>> dialogAnswers; // each dialog takes the next; none left fails
    std::vector<std::string> dialogFilters;
    std::vector<std::string> dialogNames;
    std::vector<std::string> messages;
    std::map<shell::FileLabel, std::string> labels;
    std::string caption;
    std::string fltNumPoints;
    bool changed = false;
    bool unsaved = false;
    bool use3D = false;
    bool useSI = true;
    shell::FieldModelChecks menus{true, true, true};
    int modelButton = -1;
    std::optional<bool> ground3DControls;
    bool writeSucceeds = true;
    std::deque<shell::SaveChangesAnswer> saveChangesAnswers; // each question takes the next; none left fails
    bool loadSucceeds = true;
    std::function<void(shell::ModelVariables&, const std::string&)> onLoad; // what reading the file sets

    std::optional<std::string> ShowOpenDialog(const std::string& filter, const std::string& name) override {
        return Dialog("open", filter, name);
    }
    std::optional<std::string> ShowSaveDialog(const std::string& filter, const std::string& name) override {
        return Dialog("save", filter, name);
    }
    void ShowMessage(const std::string& text, const std::string& title, shell::MessageIcon icon) override {
        messages.push_back(title + "|" + text +
                           (icon == shell::MessageIcon::Critical ? "|critical" : "|exclamation"));
    }
    shell::SaveChangesAnswer AskSaveChanges(const std::string& text) override {
        log.push_back("ask " + text);
        if (saveChangesAnswers.empty()) {
            ADD_FAILURE() << "unexpected question " << text;
            return shell::SaveChangesAnswer::Cancel;
        }
        const shell::SaveChangesAnswer answer = saveChangesAnswers.front();
        saveChangesAnswers.pop_front();
        return answer;
    }
    void PresetDefaults() override { log.push_back("PresetDefaults"); }
    void InitGroundGrid(int rows) override { log.push_back("InitGroundGrid " + std::to_string(rows)); }
    void SelectAntOrient(int i) override { log.push_back("cmbAntOrient " + std::to_string(i)); }
    void SelectFlight(int i) override { log.push_back("cmbFlight " + std::to_string(i)); }
    void SelectPreset(int i) override { log.push_back("cmbPresets " + std::to_string(i)); }
    void SetFltNumPointsText(const std::string& t) override {
        fltNumPoints = t;
        log.push_back("txtFltNumPoints " + t);
    }
    bool LoadParamFile(const std::string& path) override {
        log.push_back("LoadParamFile " + path);
        if (onLoad)
            onLoad(m_, path);
        return loadSucceeds;
    }
    void ShowParameters() override {
        log.push_back("ShowParameters");
        if (m_.FieldModel <= 2)
            menus = {m_.FieldModel == 0, m_.FieldModel == 1, m_.FieldModel == 2};
    }
    void CollectParameters() override { log.push_back("CollectParameters"); }
    shell::ParamWriteResult WriteParamFile() override {
        log.push_back("WriteParamFile " + m_.InFile);
        if (writeSucceeds)
            return {};
        return {shell::WriteStatus::Failed, m_.InFile, "Permission denied"};
    }
    void SetCaption(const std::string& c) override { caption = c; }
    void ShowFileLabel(shell::FileLabel l, const std::string& t) override { labels[l] = t; }
    std::string FileLabelText(shell::FileLabel l) const override {
        const auto it = labels.find(l);
        return it == labels.end() ? "none" : it->second;
    }
    bool ChangedMarkerVisible() const override { return changed; }
    bool UnsavedEdits() const override { return unsaved; }
    void MarkModelUnedited() override {
        changed = false;
        unsaved = false;
    }
    bool Use3DChecked() const override { return use3D; }
    void SetUse3DChecked(bool c) override { use3D = c; }
    void SetUseSIChecked(bool c) override {
        useSI = c;
        log.push_back(std::string("mnuUseSI ") + (c ? "checked" : "unchecked"));
    }
    shell::FieldModelChecks FieldModelMenus() const override { return menus; }
    void SetFieldModelMenus(const shell::FieldModelChecks& c) override { menus = c; }
    void SetFieldModelButton(int b) override { modelButton = b; }
    void SetGroundModeControls(bool use3DMode) override { ground3DControls = use3DMode; }

    bool Logged(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
    std::ptrdiff_t Position(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) - log.begin();
    }

private:
    std::optional<std::string> Dialog(const char* kind, const std::string& filter, const std::string& name) {
        log.push_back(std::string(kind) + " dialog");
        dialogFilters.push_back(filter);
        dialogNames.push_back(name);
        if (dialogAnswers.empty()) {
            ADD_FAILURE() << "unexpected " << kind << " dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }
    shell::ModelVariables& m_;
};

// Runs each test in a folder of its own under the test output folder and goes back afterwards.
class InScratchFolder : public plat::testing::ScratchFolderTest {
protected:
    InScratchFolder() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "shell_logic") {}
};
