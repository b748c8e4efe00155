#include "dialogs/SystemConfigDialog.h"

#include "app/AppPaths.h"
#include "config/SystemConfigFile.h"
#include "config/SystemConfigManager.h"
#include "ui_SystemConfigDialog.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

bool SystemConfigManager::ShowDialog(const DialogPrompts& prompts)
{
    SystemConfigDialog dialog(prompts);
    return prompts.runDialog(dialog) == QDialog::Accepted;
}

SystemConfigDialog::SystemConfigDialog(const DialogPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SystemConfigDialog>()), m_prompts(prompts)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("System Config"));

    // The shown names may be translated; the names written to the file are those of lang_config.xml.
    const QStringList languages{QStringLiteral("简体中文"), QStringLiteral("繁體中文"), QStringLiteral("English")};
    for (int i = 0; i < languages.size(); ++i)
        m_ui->comboBox_Language->setItemData(i, languages[i]);

    SystemConfigFile config;
    const QString path = GetSystemConfigPath();
    if (!config.Load(path))
        qDebug() << "The settings dialog shows the defaults:" << path << config.GetErrorString();
    const int language = m_ui->comboBox_Language->findData(config.language(), Qt::UserRole, Qt::MatchFixedString);
    m_ui->comboBox_Language->setCurrentIndex(language);
    if (language < 0)
        m_unlistedLanguage = config.language();

    // Unsigned values beyond int would wrap to negative numbers; they belong at the top of the range.
    auto shown = [](quint32 value) { return int(qMin<quint32>(value, INT_MAX)); };
    m_ui->spinBox_LogDate->setValue(shown(config.log_save_time()));
    m_ui->spinBox_maxHistory->setValue(shown(config.max_history()));
    m_ui->spinBox_ServerPort->setValue(shown(config.server_port()));
    m_ui->spinBox_Sound_Interval->setValue(shown(config.sound_period()));
    m_ui->checkBox_dontSayAlarmType->setChecked(!config.say_alarm_type());
    m_ui->checkBox_dontSayAlarmNormal->setChecked(!config.say_alarm_normal());
    m_ui->checkBox_dontSayOutdatedAlarm->setChecked(!config.say_outdated_alarm());
    m_ui->spinBox_speech_rate->setValue(config.speech_rate());
    m_ui->checkBox_latchEndedAlarms->setChecked(config.latch_ended_alarms());
}

SystemConfigDialog::~SystemConfigDialog() = default;

void SystemConfigDialog::on_pushButton_OK_clicked()
{
    SystemConfigFile config;
    const int language = m_ui->comboBox_Language->currentIndex();
    config.SetLanguage(language < 0 ? m_unlistedLanguage : m_ui->comboBox_Language->itemData(language).toString());
    config.SetLogSaveTime(quint32(m_ui->spinBox_LogDate->value()));
    config.SetMaxHistory(quint32(m_ui->spinBox_maxHistory->value()));
    config.SetServerPort(quint32(m_ui->spinBox_ServerPort->value()));
    config.SetSoundPeriod(quint32(m_ui->spinBox_Sound_Interval->value()));
    config.SetSayAlarmNormal(!m_ui->checkBox_dontSayAlarmNormal->isChecked());
    config.SetSayAlarmType(!m_ui->checkBox_dontSayAlarmType->isChecked());
    config.SetSpeechRate(m_ui->spinBox_speech_rate->value());
    config.SetSayOutdatedAlarm(!m_ui->checkBox_dontSayOutdatedAlarm->isChecked());
    config.SetLatchEndedAlarms(m_ui->checkBox_latchEndedAlarms->isChecked());

    const QString path = GetSystemConfigPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The dialog stays open with its edits: a window that closed here would apply the old file.
    if (!config.Save(path)) {
        m_prompts.notify(QMessageBox::Warning, this, tr("Warn"),
                         tr("The settings could not be saved to %1:\n%2")
                             .arg(QDir::toNativeSeparators(path), config.GetErrorString()));
        return;
    }
    accept();
}

void SystemConfigDialog::on_pushButton_Cancel_clicked()
{
    reject();
}
