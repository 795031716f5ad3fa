#include "basalo/Enumerations.h"

namespace basalo {

QString constanteText(long id)
{
    // No default label: the compiler then flags a member added without its text.
    switch (static_cast<enuConstantesList>(id)) {
    case enuConstantesList_KavDateTimeDoubleSeparator: return QStringLiteral(".");
    case enuConstantesList_KavAdminClientInfosSeparator: return QStringLiteral("/");
    case enuConstantesList_KavAdminClientFinMessage: return QStringLiteral("#");
    case enuConstantesList_KavMonitorInfosSeparator: return QStringLiteral("|");
    case enuConstantesList_KavMonitorInfosSubSeparator: return QStringLiteral("$");
    case enuConstantesList_KavNbMinPerDay: return QStringLiteral("1440");
    case enuConstantesList_InfosGeneralSeparator: return QStringLiteral("#");
    case enuConstantesList_InfosItemsSeparator: return QStringLiteral("|");
    case enuConstantesList_InfosItemSeparator: return QStringLiteral("\\");
    case enuConstantesList_InfosGeneralSeparator2: return QString(QChar(0x00A4));
    case enuConstantesList_InfosGeneralSeparator3: return QString(QChar(0x00A3));
    case enuConstantesList_DefaultWinsockPort: return QStringLiteral("10000");
    case enuConstantesList_DefaultBddName: return QStringLiteral("qvo");
    case enuConstantesList_BddServerNameFieldName: return QStringLiteral("SrvManager_SQLServerName");
    case enuConstantesList_BddRorovaPathFieldName: return QStringLiteral("Tarvin_Rorova");
    case enuConstantesList_BddMediasPathFieldName: return QStringLiteral("Tarvin_Medias");
    case enuConstantesList_BddWinsockPortFieldName: return QStringLiteral("SrvCnx_Winsock_Port");
    case enuConstantesList_BddBddVersionFieldName: return QStringLiteral("VersionBdd");
    case enuConstantesList_BddBddSystemFieldName: return QStringLiteral("VersionSystem");
    case enuConstantesList_BddServerSSPIFieldName: return QStringLiteral("SrvManager_SQLSSPI");
    case enuConstantesList_BddSSPICnxStringParameter: return QStringLiteral("Integrated Security=SSPI");
    case enuConstantesList_BddAutoDwlFieldName: return QStringLiteral("AutoDownload");
    case enuConstantesList_BddAutoLogonFieldName: return QStringLiteral("Autologon");
    case enuConstantesList_BddClientPersonalFolderFieldName: return QStringLiteral("Client_PersonalFolder");
    case enuConstantesList_RegKeyBddUserName: return QStringLiteral("SQLUserName");
    case enuConstantesList_RegKeyBddPassword: return QStringLiteral("SQLUserPassword");
    case enuConstantesList_RegKeyBddName: return QStringLiteral("SQLDbName");
    case enuConstantesList_RegKeyBddServer: return QStringLiteral("SQLServer");
    case enuConstantesList_RegKeyIhmServerRootName: return QStringLiteral("Quelvoro\\IHM Server");
    case enuConstantesList_RegKeySockPortManagerName: return QStringLiteral("SockPortManager");
    case enuConstantesList_RegKeyWinsockRootName: return QStringLiteral("Quelvoro\\Winsock");
    case enuConstantesList_RegKeyBddSSPI: return QStringLiteral("SQLSSPI");
    case enuConstantesList_RegKeyBddPort: return QStringLiteral("SQLPort");
    case enuConstantesList_RegKeyValueLangue: return QStringLiteral("Langue");
    case enuConstantesList_RegKeyValueInstallPath: return QStringLiteral("Chemin Install");
    case enuConstantesList_RegKeyMMCLocalServerRootName:
        return QStringLiteral("Quelvoro\\IHM Server\\Server Manager\\Server List\\Local Server");
    case enuConstantesList_RegKeyBddTimeOut: return QStringLiteral("SQLTimeout");
    case enuConstantesList_RegKeyValueDescription: return QStringLiteral("Description");
    case enuConstantesList_RegKeyMMCServerListRootName:
        return QStringLiteral("Quelvoro\\IHM Server\\Server Manager\\Server List");
    case enuConstantesList_RegKeyValuePathInstallWWW: return QStringLiteral("PathInstallWWW");
    case enuConstantesList_RegKeyIhmAdminAvanceName: return QStringLiteral("Quelvoro\\IHM Admin\\Avances");
    case enuConstantesList_RegKeyQuelvoroRootName: return QStringLiteral("Quelvoro");
    case enuConstantesList_RegKeyMIRANDELRootName: return QStringLiteral("Mirandel");
    case enuConstantesList_RegKeyMIRANDELIHMServerRootName: return QStringLiteral("Mirandel\\IHM Server");
    case enuConstantesList_Multisite_SectionBaseCookieName: return QStringLiteral("BaseCookie");
    case enuConstantesList_Multisite_SectionDefautName: return QStringLiteral("Defaut");
    case enuConstantesList_Multisite_FileName: return QStringLiteral("multisites.ini");
    case enuConstantesList_MultiAICC_FileName: return QStringLiteral("multilms.ini");
    case enuConstantesList_MultiAICC_SectionDefautName: return QStringLiteral("Defaut");
    case enuConstantesList_AdminParam_FileName: return QStringLiteral("param.ini");
    case enuConstantesList_AdminParam_SectionAvancesName: return QStringLiteral("Avances");
    }
    return {};
}

}  // namespace basalo
