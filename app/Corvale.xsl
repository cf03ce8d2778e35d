<?xml version="1.0" encoding="UTF-8"?>
<!--
  Corvale.xsl: renders an Italian electronic invoice (FatturaPA 1.2.x ordinary invoices, FPA12 and
  FPR12, and FSM10 simplified invoices) as a readable, printable HTML page.

  XSLT 1.0 with no extensions, so the same file runs in the Windows browser control (MSXML), in
  libxslt and in current browsers. Elements are matched by local name only: real files use any
  prefix, none at all, or a default namespace that also covers the children, and the simplified
  invoice has a namespace of its own.

  Amounts are reformatted as strings (split at the point, thousands grouped with '.', decimals after
  ','): a unit price may carry eight decimals and the page must show all of them, which a rounding
  number format would not. Only totals that the file does not state are computed, to the cent.

  Invoice text is always written escaped: a description holding markup shows as text.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"
              doctype-public="-//W3C//DTD HTML 4.01//EN" doctype-system="http://www.w3.org/TR/html4/strict.dtd"/>

  <!-- ============================================================ page -->

  <xsl:template match="/">
    <xsl:variable name="bodies" select="//*[local-name()='FatturaElettronicaBody']"/>
    <xsl:variable name="firstGeneral" select="$bodies[1]/*[local-name()='DatiGenerali']/*[local-name()='DatiGeneraliDocumento']"/>
    <html lang="it">
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <meta http-equiv="X-UA-Compatible" content="IE=edge"/>
        <title>
          <xsl:text>Fattura elettronica</xsl:text>
          <xsl:if test="$firstGeneral">
            <xsl:text> n. </xsl:text>
            <xsl:value-of select="$firstGeneral/*[local-name()='Numero']"/>
            <xsl:text> del </xsl:text>
            <xsl:call-template name="date">
              <xsl:with-param name="value" select="$firstGeneral/*[local-name()='Data']"/>
            </xsl:call-template>
          </xsl:if>
        </title>
        <style type="text/css">
          @page { size: A4 portrait; margin: 12mm 11mm 14mm 11mm; }
          html { background: #e4e7eb; }
          body { margin: 0; padding: 16px 0; font-family: "Segoe UI", Tahoma, Verdana, Arial, sans-serif;
                 font-size: 9.5pt; color: #1d2430; line-height: 1.35; }
          .invoice { background: #ffffff; max-width: 190mm; margin: 0 auto 20px auto; padding: 12mm 11mm;
                     border: 1px solid #c8ced6; }
          .break { page-break-before: always; }
          h1 { font-size: 17pt; margin: 0; color: #1f3a5f; font-weight: 600; }
          h2 { font-size: 10.5pt; margin: 14px 0 5px 0; padding-bottom: 2px; color: #1f3a5f;
               border-bottom: 1.5px solid #1f3a5f; text-transform: uppercase; letter-spacing: 0.04em; }
          h3 { font-size: 9.5pt; margin: 8px 0 3px 0; color: #1f3a5f; }
          table { border-collapse: collapse; width: 100%; }
          td, th { vertical-align: top; text-align: left; }
          .heading td { padding: 0; }
          .heading .docinfo { text-align: right; }
          .docinfo table { width: auto; margin-left: auto; }
          .docinfo th { font-weight: normal; color: #5a6675; padding: 1px 8px 1px 0; text-align: right; }
          .docinfo td { font-weight: 600; padding: 1px 0; text-align: right; }
          .doctype { font-size: 10pt; color: #5a6675; margin-top: 2px; }
          .parties { margin-top: 12px; border-collapse: separate; border-spacing: 0; }
          .parties td.party { width: 50%; padding: 8px 10px; border: 1px solid #c8ced6; }
          .parties td.gap { width: 12px; border: none; padding: 0; }
          .role { font-size: 7.5pt; text-transform: uppercase; letter-spacing: 0.06em; color: #5a6675; margin-bottom: 3px; }
          .name { font-size: 11pt; font-weight: 600; margin-bottom: 2px; }
          .small, .small td, .small th { font-size: 8pt; }
          .muted { color: #5a6675; }
          .code { font-family: Consolas, "Courier New", monospace; font-size: 8.5pt; color: #1f3a5f; white-space: nowrap; }
          .grid { margin-top: 3px; }
          .grid th { background: #eef2f6; color: #2c3a4b; font-weight: 600; font-size: 8pt; padding: 4px 5px;
                     border-top: 1px solid #b7c2cf; border-bottom: 1px solid #b7c2cf; }
          .grid td { padding: 4px 5px; border-bottom: 1px solid #dde3ea; }
          .grid .num, .grid th.num { text-align: right; white-space: nowrap; }
          .grid .center { text-align: center; }
          .grid th.desc { width: 45%; }
          .facts th { width: 1%; white-space: nowrap; font-weight: normal; color: #5a6675; padding: 1px 8px 1px 0; }
          .facts td { padding: 1px 0; }
          .note { font-size: 8pt; color: #5a6675; margin-top: 2px; }
          .summary { margin: 12px 0 0 auto; width: 46%; }
          .totals th { font-weight: normal; color: #5a6675; padding: 3px 8px; white-space: nowrap; }
          .totals td { text-align: right; padding: 3px 8px; white-space: nowrap; }
          .totals tr.total th, .totals tr.total td { font-size: 11pt; font-weight: 700; color: #1d2430;
                     border-top: 2px solid #1f3a5f; background: #eef2f6; }
          .totals tr.due th, .totals tr.due td { font-weight: 600; color: #1d2430; }
          .causale { margin-top: 10px; padding: 6px 8px; background: #f6f8fa; border-left: 3px solid #1f3a5f; }
          .missing { padding: 20px; }
          .transmission { margin-top: 14px; padding-top: 4px; border-top: 1px solid #c8ced6; font-size: 7.5pt; color: #5a6675; }
          .grid tr, .facts tr, .totals { page-break-inside: avoid; }
          thead { display: table-header-group; }
          @media print {
            html { background: #ffffff; }
            body { padding: 0; font-size: 8.5pt; }
            .invoice { max-width: none; margin: 0; padding: 0; border: none; }
            h2 { page-break-after: avoid; margin-top: 9px; }
            .grid th, .grid td { padding: 2px 4px; }
            .causale { margin-top: 8px; padding: 4px 6px; }
            .summary { margin-top: 8px; }
            .parties { margin-top: 8px; }
            .grid th { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
            .totals tr.total th, .totals tr.total td { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
          }
        </style>
      </head>
      <body>
        <xsl:choose>
          <xsl:when test="$bodies">
            <xsl:for-each select="$bodies">
              <xsl:call-template name="invoice">
                <xsl:with-param name="body" select="."/>
                <xsl:with-param name="header" select="../*[local-name()='FatturaElettronicaHeader']"/>
                <xsl:with-param name="index" select="position()"/>
                <xsl:with-param name="count" select="last()"/>
              </xsl:call-template>
            </xsl:for-each>
          </xsl:when>
          <xsl:otherwise>
            <div class="invoice missing">
              <h1>Documento non riconosciuto</h1>
              <p>Il file non contiene il corpo di una fattura elettronica (FatturaElettronicaBody).</p>
            </div>
          </xsl:otherwise>
        </xsl:choose>
      </body>
    </html>
  </xsl:template>

  <!-- ============================================================ one invoice body -->

  <xsl:template name="invoice">
    <xsl:param name="body"/>
    <xsl:param name="header"/>
    <xsl:param name="index"/>
    <xsl:param name="count"/>
    <xsl:variable name="general" select="$body/*[local-name()='DatiGenerali']"/>
    <xsl:variable name="document" select="$general/*[local-name()='DatiGeneraliDocumento']"/>
    <xsl:variable name="currency" select="normalize-space($document/*[local-name()='Divisa'])"/>
    <xsl:variable name="simplified" select="not($body/*[local-name()='DatiBeniServizi']/*[local-name()='DettaglioLinee']) and $body/*[local-name()='DatiBeniServizi']/*[local-name()='Importo']"/>

    <div>
      <xsl:attribute name="class">
        <xsl:text>invoice</xsl:text>
        <xsl:if test="$index &gt; 1"> break</xsl:if>
      </xsl:attribute>

      <!-- Title: what the document is, its number and date -->
      <table class="heading">
        <tr>
          <td>
            <h1>
              <xsl:call-template name="describe">
                <xsl:with-param name="code" select="normalize-space($document/*[local-name()='TipoDocumento'])"/><xsl:with-param name="table" select="'TD'"/>
                <xsl:with-param name="fallback" select="'Fattura elettronica'"/>
              </xsl:call-template>
            </h1>
            <div class="doctype">
              <xsl:text>Tipo documento </xsl:text>
              <xsl:call-template name="coded">
                <xsl:with-param name="code" select="$document/*[local-name()='TipoDocumento']"/><xsl:with-param name="table" select="'TD'"/>
              </xsl:call-template>
            </div>
            <xsl:if test="$count &gt; 1">
              <div class="doctype">
                <xsl:value-of select="concat('Documento ', $index, ' di ', $count, ' nel lotto')"/>
              </div>
            </xsl:if>
          </td>
          <td class="docinfo">
            <table>
              <tr><th>Numero</th><td><xsl:value-of select="$document/*[local-name()='Numero']"/></td></tr>
              <tr>
                <th>Data</th>
                <td>
                  <xsl:call-template name="date">
                    <xsl:with-param name="value" select="$document/*[local-name()='Data']"/>
                  </xsl:call-template>
                </td>
              </tr>
              <tr><th>Divisa</th><td><xsl:value-of select="$currency"/></td></tr>
            </table>
          </td>
        </tr>
      </table>

      <!-- Who sells and who buys -->
      <table class="parties">
        <tr>
          <td class="party">
            <div class="role">Cedente / prestatore</div>
            <xsl:call-template name="party">
              <xsl:with-param name="party" select="$header/*[local-name()='CedentePrestatore']"/>
            </xsl:call-template>
          </td>
          <td class="gap"></td>
          <td class="party">
            <div class="role">Cessionario / committente</div>
            <xsl:call-template name="party">
              <xsl:with-param name="party" select="$header/*[local-name()='CessionarioCommittente']"/>
            </xsl:call-template>
          </td>
        </tr>
      </table>

      <xsl:call-template name="third-parties">
        <xsl:with-param name="header" select="$header"/>
      </xsl:call-template>

      <xsl:for-each select="$document/*[local-name()='Causale']">
        <xsl:if test="position() = 1">
          <div class="causale">
            <strong>Causale: </strong>
            <xsl:for-each select="../*[local-name()='Causale']">
              <xsl:value-of select="."/>
              <xsl:if test="position() != last()"><xsl:text> </xsl:text></xsl:if>
            </xsl:for-each>
          </div>
        </xsl:if>
      </xsl:for-each>
      <xsl:if test="normalize-space($document/*[local-name()='Art73']) != ''">
        <div class="note">Documento emesso secondo modalità e termini stabiliti con decreto ministeriale ai sensi dell'art. 73 del DPR 633/72.</div>
      </xsl:if>

      <xsl:call-template name="references">
        <xsl:with-param name="general" select="$general"/>
      </xsl:call-template>

      <!-- Goods and services -->
      <xsl:choose>
        <xsl:when test="$simplified">
          <xsl:call-template name="simplified-lines">
            <xsl:with-param name="lines" select="$body/*[local-name()='DatiBeniServizi']"/>
          </xsl:call-template>
        </xsl:when>
        <xsl:otherwise>
          <xsl:call-template name="lines">
            <xsl:with-param name="lines" select="$body/*[local-name()='DatiBeniServizi']/*[local-name()='DettaglioLinee']"/>
            <xsl:with-param name="currency" select="$currency"/>
          </xsl:call-template>
          <xsl:call-template name="vat-summary">
            <xsl:with-param name="rows" select="$body/*[local-name()='DatiBeniServizi']/*[local-name()='DatiRiepilogo']"/>
          </xsl:call-template>
        </xsl:otherwise>
      </xsl:choose>

      <!-- Withholding, funds and stamp duty, then the totals -->
      <xsl:call-template name="withholdings">
        <xsl:with-param name="rows" select="$document/*[local-name()='DatiRitenuta']"/>
      </xsl:call-template>
      <xsl:call-template name="funds">
        <xsl:with-param name="rows" select="$document/*[local-name()='DatiCassaPrevidenziale']"/>
      </xsl:call-template>
      <xsl:call-template name="document-adjustments">
        <xsl:with-param name="document" select="$document"/>
        <xsl:with-param name="currency" select="$currency"/>
      </xsl:call-template>
      <xsl:call-template name="totals">
        <xsl:with-param name="body" select="$body"/>
        <xsl:with-param name="document" select="$document"/>
        <xsl:with-param name="currency" select="$currency"/>
        <xsl:with-param name="simplified" select="$simplified"/>
      </xsl:call-template>

      <xsl:call-template name="payments">
        <xsl:with-param name="payments" select="$body/*[local-name()='DatiPagamento']"/>
        <xsl:with-param name="currency" select="$currency"/>
      </xsl:call-template>

      <xsl:call-template name="vehicles">
        <xsl:with-param name="data" select="$body/*[local-name()='DatiVeicoli']"/>
      </xsl:call-template>

      <xsl:call-template name="attachments">
        <xsl:with-param name="rows" select="$body/*[local-name()='Allegati']"/>
      </xsl:call-template>

      <xsl:call-template name="transmission">
        <xsl:with-param name="data" select="$header/*[local-name()='DatiTrasmissione']"/>
      </xsl:call-template>
    </div>
  </xsl:template>

  <!-- ============================================================ parties -->

  <!-- A party as the ordinary invoice nests it (DatiAnagrafici/Anagrafica) or as the simplified one
       lays it flat (or under IdentificativiFiscali and AltriDatiIdentificativi). -->
  <xsl:template name="party">
    <xsl:param name="party"/>
    <xsl:variable name="registry" select="$party/*[local-name()='DatiAnagrafici']"/>
    <xsl:variable name="other" select="$party/*[local-name()='AltriDatiIdentificativi']"/>
    <xsl:variable name="naming" select="$registry/*[local-name()='Anagrafica'] | $party[*[local-name()='Denominazione' or local-name()='Cognome' or local-name()='Nome']] | $other"/>
    <xsl:variable name="ids" select="$registry | $party/*[local-name()='IdentificativiFiscali'] | $party[*[local-name()='IdFiscaleIVA' or local-name()='CodiceFiscale']]"/>

    <div class="name">
      <xsl:call-template name="person-name">
        <xsl:with-param name="node" select="$naming[1]"/>
      </xsl:call-template>
    </div>
    <table class="facts">
      <xsl:call-template name="tax-ids">
        <xsl:with-param name="node" select="$ids[1]"/>
      </xsl:call-template>
      <xsl:call-template name="address-row">
        <xsl:with-param name="label" select="'Sede'"/>
        <xsl:with-param name="address" select="($party/*[local-name()='Sede'] | $other/*[local-name()='Sede'])[1]"/>
      </xsl:call-template>
      <xsl:call-template name="address-row">
        <xsl:with-param name="label" select="'Stabile organizzazione'"/>
        <xsl:with-param name="address" select="($party/*[local-name()='StabileOrganizzazione'] | $other/*[local-name()='StabileOrganizzazione'])[1]"/>
      </xsl:call-template>
      <xsl:for-each select="($registry/*[local-name()='RegimeFiscale'] | $party/*[local-name()='RegimeFiscale'])[1]">
        <tr>
          <th>Regime fiscale</th>
          <td><xsl:call-template name="coded"><xsl:with-param name="code" select="."/><xsl:with-param name="table" select="'RF'"/></xsl:call-template></td>
        </tr>
      </xsl:for-each>
      <xsl:for-each select="$naming[1]/*[local-name()='CodEORI']">
        <tr><th>Codice EORI</th><td><xsl:value-of select="."/></td></tr>
      </xsl:for-each>
      <xsl:if test="$registry/*[local-name()='AlboProfessionale']">
        <tr>
          <th>Albo professionale</th>
          <td>
            <xsl:value-of select="$registry/*[local-name()='AlboProfessionale']"/>
            <xsl:if test="$registry/*[local-name()='ProvinciaAlbo']">
              <xsl:value-of select="concat(' (', $registry/*[local-name()='ProvinciaAlbo'], ')')"/>
            </xsl:if>
            <xsl:if test="$registry/*[local-name()='NumeroIscrizioneAlbo']">
              <xsl:value-of select="concat(', n. ', $registry/*[local-name()='NumeroIscrizioneAlbo'])"/>
            </xsl:if>
            <xsl:if test="$registry/*[local-name()='DataIscrizioneAlbo']">
              <xsl:text> del </xsl:text>
              <xsl:call-template name="date">
                <xsl:with-param name="value" select="$registry/*[local-name()='DataIscrizioneAlbo']"/>
              </xsl:call-template>
            </xsl:if>
          </td>
        </tr>
      </xsl:if>
      <xsl:for-each select="$party/*[local-name()='IscrizioneREA']">
        <tr>
          <th>Iscrizione REA</th>
          <td>
            <xsl:value-of select="concat(*[local-name()='Ufficio'], ' ', *[local-name()='NumeroREA'])"/>
            <xsl:if test="*[local-name()='CapitaleSociale']">
              <xsl:text>, capitale sociale </xsl:text>
              <xsl:call-template name="amount-rounded">
                <xsl:with-param name="value" select="*[local-name()='CapitaleSociale']"/>
              </xsl:call-template>
            </xsl:if>
            <xsl:choose>
              <xsl:when test="normalize-space(*[local-name()='SocioUnico']) = 'SU'">, socio unico</xsl:when>
              <xsl:when test="normalize-space(*[local-name()='SocioUnico']) = 'SM'">, più soci</xsl:when>
              <xsl:when test="normalize-space(*[local-name()='SocioUnico']) != ''">
                <xsl:value-of select="concat(', socio unico ', normalize-space(*[local-name()='SocioUnico']), ' (codice non previsto)')"/>
              </xsl:when>
            </xsl:choose>
            <xsl:choose>
              <xsl:when test="normalize-space(*[local-name()='StatoLiquidazione']) = 'LS'">, in liquidazione</xsl:when>
              <xsl:when test="normalize-space(*[local-name()='StatoLiquidazione']) = 'LN'">, non in liquidazione</xsl:when>
              <xsl:when test="normalize-space(*[local-name()='StatoLiquidazione']) != ''">
                <xsl:value-of select="concat(', stato di liquidazione ', normalize-space(*[local-name()='StatoLiquidazione']), ' (codice non previsto)')"/>
              </xsl:when>
            </xsl:choose>
          </td>
        </tr>
      </xsl:for-each>
      <xsl:for-each select="$party/*[local-name()='Contatti']">
        <xsl:call-template name="contacts"/>
      </xsl:for-each>
      <xsl:for-each select="$party/*[local-name()='RiferimentoAmministrazione']">
        <tr><th>Rif. amministrazione</th><td><xsl:value-of select="."/></td></tr>
      </xsl:for-each>
      <xsl:for-each select="$party/*[local-name()='RappresentanteFiscale'] | $other/*[local-name()='RappresentanteFiscale']">
        <tr>
          <th>Rappresentante fiscale</th>
          <td>
            <xsl:variable name="name">
              <xsl:call-template name="person-name">
                <xsl:with-param name="node" select="(. | *[local-name()='DatiAnagrafici']/*[local-name()='Anagrafica'])[last()]"/>
              </xsl:call-template>
            </xsl:variable>
            <xsl:variable name="parts">
              <xsl:if test="normalize-space($name) != ''"><xsl:value-of select="concat(', ', normalize-space($name))"/></xsl:if>
              <xsl:for-each select="(*[local-name()='IdFiscaleIVA'] | *[local-name()='DatiAnagrafici']/*[local-name()='IdFiscaleIVA'])[1]">
                <xsl:value-of select="concat(', P. IVA ', normalize-space(*[local-name()='IdPaese']), normalize-space(*[local-name()='IdCodice']))"/>
              </xsl:for-each>
            </xsl:variable>
            <xsl:value-of select="substring($parts, 3)"/>
          </td>
        </tr>
      </xsl:for-each>
    </table>
  </xsl:template>

  <xsl:template name="person-name">
    <xsl:param name="node"/>
    <xsl:choose>
      <xsl:when test="normalize-space($node/*[local-name()='Denominazione']) != ''">
        <xsl:value-of select="$node/*[local-name()='Denominazione']"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="normalize-space(concat($node/*[local-name()='Titolo'], ' ', $node/*[local-name()='Nome'], ' ', $node/*[local-name()='Cognome']))"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="tax-ids">
    <xsl:param name="node"/>
    <xsl:for-each select="$node/*[local-name()='IdFiscaleIVA']">
      <tr>
        <th>Partita IVA</th>
        <td><xsl:value-of select="concat(normalize-space(*[local-name()='IdPaese']), normalize-space(*[local-name()='IdCodice']))"/></td>
      </tr>
    </xsl:for-each>
    <xsl:for-each select="$node/*[local-name()='CodiceFiscale']">
      <tr><th>Codice fiscale</th><td><xsl:value-of select="."/></td></tr>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="address-row">
    <xsl:param name="label"/>
    <xsl:param name="address"/>
    <xsl:if test="$address">
      <tr>
        <th><xsl:value-of select="$label"/></th>
        <td><xsl:call-template name="address"><xsl:with-param name="address" select="$address"/></xsl:call-template></td>
      </tr>
    </xsl:if>
  </xsl:template>

  <!-- Street and number, then postcode, town, province and country; a part the file leaves out
       takes its separator with it. -->
  <xsl:template name="address">
    <xsl:param name="address"/>
    <xsl:variable name="road" select="normalize-space($address/*[local-name()='Indirizzo'])"/>
    <xsl:variable name="number" select="normalize-space($address/*[local-name()='NumeroCivico'])"/>
    <xsl:variable name="province" select="normalize-space($address/*[local-name()='Provincia'])"/>
    <xsl:variable name="country" select="normalize-space($address/*[local-name()='Nazione'])"/>
    <xsl:variable name="street">
      <xsl:value-of select="$road"/>
      <xsl:if test="$road != '' and $number != ''">, </xsl:if>
      <xsl:value-of select="$number"/>
    </xsl:variable>
    <xsl:variable name="place">
      <xsl:value-of select="normalize-space(concat($address/*[local-name()='CAP'], ' ', $address/*[local-name()='Comune']))"/>
      <xsl:if test="$province != ''"><xsl:value-of select="concat(' (', $province, ')')"/></xsl:if>
      <xsl:if test="$country != ''"><xsl:value-of select="concat(' - ', $country)"/></xsl:if>
    </xsl:variable>
    <xsl:variable name="town">
      <xsl:choose>
        <xsl:when test="starts-with($place, ' - ')"><xsl:value-of select="substring($place, 4)"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="normalize-space($place)"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:value-of select="$street"/>
    <xsl:if test="string($street) != '' and string($town) != ''"><br/></xsl:if>
    <xsl:value-of select="$town"/>
  </xsl:template>

  <xsl:template name="contacts">
    <xsl:for-each select="*[local-name()='Telefono']">
      <tr><th>Telefono</th><td><xsl:value-of select="."/></td></tr>
    </xsl:for-each>
    <xsl:for-each select="*[local-name()='Fax']">
      <tr><th>Fax</th><td><xsl:value-of select="."/></td></tr>
    </xsl:for-each>
    <xsl:for-each select="*[local-name()='Email']">
      <tr><th>Email</th><td><xsl:value-of select="."/></td></tr>
    </xsl:for-each>
  </xsl:template>

  <!-- The seller's fiscal representative and the intermediary who issued the file, when present. -->
  <xsl:template name="third-parties">
    <xsl:param name="header"/>
    <xsl:variable name="representative" select="$header/*[local-name()='RappresentanteFiscale']"/>
    <xsl:variable name="intermediary" select="$header/*[local-name()='TerzoIntermediarioOSoggettoEmittente']"/>
    <xsl:variable name="issuer" select="normalize-space($header/*[local-name()='SoggettoEmittente'])"/>
    <xsl:if test="$representative or $intermediary or $issuer != ''">
      <table class="parties small">
        <tr>
          <td class="party">
            <div class="role">Rappresentante fiscale del cedente / prestatore</div>
            <xsl:choose>
              <xsl:when test="$representative">
                <xsl:call-template name="party">
                  <xsl:with-param name="party" select="$representative"/>
                </xsl:call-template>
              </xsl:when>
              <xsl:otherwise><span class="muted">Nessuno</span></xsl:otherwise>
            </xsl:choose>
          </td>
          <td class="gap"></td>
          <td class="party">
            <div class="role">Terzo intermediario o soggetto emittente</div>
            <xsl:choose>
              <xsl:when test="$intermediary">
                <xsl:call-template name="party">
                  <xsl:with-param name="party" select="$intermediary"/>
                </xsl:call-template>
              </xsl:when>
              <xsl:otherwise><span class="muted">Nessuno</span></xsl:otherwise>
            </xsl:choose>
            <xsl:if test="$issuer != ''">
              <div class="note">
                <xsl:text>Fattura emessa da: </xsl:text>
                <xsl:choose>
                  <xsl:when test="$issuer = 'CC'">cessionario / committente (CC)</xsl:when>
                  <xsl:when test="$issuer = 'TZ'">terzo (TZ)</xsl:when>
                  <xsl:otherwise><xsl:value-of select="concat($issuer, ' (codice non previsto)')"/></xsl:otherwise>
                </xsl:choose>
              </div>
            </xsl:if>
          </td>
        </tr>
      </table>
    </xsl:if>
  </xsl:template>

  <!-- How the file travelled: of little interest to a reader, so one small line at the end. -->
  <xsl:template name="transmission">
    <xsl:param name="data"/>
    <xsl:if test="$data">
      <xsl:variable name="format" select="normalize-space($data/*[local-name()='FormatoTrasmissione'])"/>
      <div class="transmission">
        <xsl:variable name="sender" select="concat(normalize-space($data/*[local-name()='IdTrasmittente']/*[local-name()='IdPaese']), normalize-space($data/*[local-name()='IdTrasmittente']/*[local-name()='IdCodice']))"/>
        <xsl:variable name="parts">
          <xsl:if test="$sender != ''"><xsl:value-of select="concat(', trasmittente ', $sender)"/></xsl:if>
          <xsl:for-each select="$data/*[local-name()='ProgressivoInvio'][normalize-space() != '']">
            <xsl:value-of select="concat(', progressivo ', normalize-space())"/>
          </xsl:for-each>
          <xsl:if test="$format != ''">
            <xsl:value-of select="concat(', formato ', $format)"/>
            <xsl:choose>
              <xsl:when test="$format = 'FPA12'"> Fattura verso pubblica amministrazione</xsl:when>
              <xsl:when test="$format = 'FPR12'"> Fattura verso privati</xsl:when>
              <xsl:when test="$format = 'FSM10'"> Fattura semplificata</xsl:when>
              <xsl:otherwise> (codice non previsto)</xsl:otherwise>
            </xsl:choose>
          </xsl:if>
          <xsl:for-each select="$data/*[local-name()='CodiceDestinatario'][normalize-space() != '']">
            <xsl:value-of select="concat(', codice destinatario ', normalize-space())"/>
          </xsl:for-each>
          <xsl:for-each select="$data/*[local-name()='PECDestinatario'][normalize-space() != '']">
            <xsl:value-of select="concat(', PEC destinatario ', normalize-space())"/>
          </xsl:for-each>
          <xsl:for-each select="$data/*[local-name()='ContattiTrasmittente']/*[normalize-space() != '']">
            <xsl:choose>
              <xsl:when test="local-name() = 'Telefono'">, telefono del trasmittente </xsl:when>
              <xsl:otherwise>, email del trasmittente </xsl:otherwise>
            </xsl:choose>
            <xsl:value-of select="normalize-space()"/>
          </xsl:for-each>
        </xsl:variable>
        <strong>Dati di trasmissione</strong>
        <xsl:if test="string($parts) != ''"><xsl:value-of select="concat(' - ', substring($parts, 3))"/></xsl:if>
      </div>
    </xsl:if>
  </xsl:template>

  <!-- ============================================================ related documents -->

  <xsl:template name="references">
    <xsl:param name="general"/>
    <xsl:variable name="related" select="$general/*[local-name()='DatiOrdineAcquisto' or local-name()='DatiContratto' or local-name()='DatiConvenzione' or local-name()='DatiRicezione' or local-name()='DatiFattureCollegate']"/>
    <xsl:variable name="delivery" select="$general/*[local-name()='DatiDDT']"/>
    <xsl:variable name="progress" select="$general/*[local-name()='DatiSAL']"/>
    <xsl:variable name="main" select="$general/*[local-name()='FatturaPrincipale']"/>
    <xsl:variable name="corrected" select="$general/*[local-name()='DatiFatturaRettificata']"/>
    <xsl:variable name="transport" select="$general/*[local-name()='DatiTrasporto']"/>

    <xsl:if test="$related or $delivery or $progress or $main or $corrected">
      <h2>Documenti collegati</h2>
      <table class="grid small">
        <thead>
          <tr>
            <th>Tipo</th>
            <th>Numero / identificativo</th>
            <th>Data</th>
            <th>Voce</th>
            <th>Commessa / convenzione</th>
            <th>CUP</th>
            <th>CIG</th>
            <th>Linee</th>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="$related">
            <tr>
              <td>
                <xsl:choose>
                  <xsl:when test="local-name() = 'DatiOrdineAcquisto'">Ordine di acquisto</xsl:when>
                  <xsl:when test="local-name() = 'DatiContratto'">Contratto</xsl:when>
                  <xsl:when test="local-name() = 'DatiConvenzione'">Convenzione</xsl:when>
                  <xsl:when test="local-name() = 'DatiRicezione'">Ricezione</xsl:when>
                  <xsl:otherwise>Fattura collegata</xsl:otherwise>
                </xsl:choose>
              </td>
              <td><xsl:value-of select="*[local-name()='IdDocumento']"/></td>
              <td><xsl:call-template name="date"><xsl:with-param name="value" select="*[local-name()='Data']"/></xsl:call-template></td>
              <td><xsl:value-of select="*[local-name()='NumItem']"/></td>
              <td><xsl:value-of select="*[local-name()='CodiceCommessaConvenzione']"/></td>
              <td><xsl:value-of select="*[local-name()='CodiceCUP']"/></td>
              <td><xsl:value-of select="*[local-name()='CodiceCIG']"/></td>
              <td><xsl:call-template name="line-refs"/></td>
            </tr>
          </xsl:for-each>
          <xsl:for-each select="$delivery">
            <tr>
              <td>Documento di trasporto (DDT)</td>
              <td><xsl:value-of select="*[local-name()='NumeroDDT']"/></td>
              <td><xsl:call-template name="date"><xsl:with-param name="value" select="*[local-name()='DataDDT']"/></xsl:call-template></td>
              <td></td><td></td><td></td><td></td>
              <td><xsl:call-template name="line-refs"/></td>
            </tr>
          </xsl:for-each>
          <xsl:for-each select="$progress">
            <tr>
              <td>Stato avanzamento lavori</td>
              <td><xsl:value-of select="concat('Fase ', *[local-name()='RiferimentoFase'])"/></td>
              <td></td><td></td><td></td><td></td><td></td><td></td>
            </tr>
          </xsl:for-each>
          <xsl:for-each select="$main">
            <tr>
              <td>Fattura principale</td>
              <td><xsl:value-of select="*[local-name()='NumeroFatturaPrincipale']"/></td>
              <td><xsl:call-template name="date"><xsl:with-param name="value" select="*[local-name()='DataFatturaPrincipale']"/></xsl:call-template></td>
              <td></td><td></td><td></td><td></td><td></td>
            </tr>
          </xsl:for-each>
          <xsl:for-each select="$corrected">
            <tr>
              <td>Fattura rettificata</td>
              <td><xsl:value-of select="*[local-name()='NumeroFR']"/></td>
              <td><xsl:call-template name="date"><xsl:with-param name="value" select="*[local-name()='DataFR']"/></xsl:call-template></td>
              <td colspan="5"><xsl:value-of select="*[local-name()='ElementiRettificati']"/></td>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </xsl:if>

    <xsl:if test="$transport">
      <h2>Trasporto</h2>
      <table class="facts small">
        <xsl:for-each select="$transport/*[local-name()='DatiAnagraficiVettore']">
          <tr>
            <th>Vettore</th>
            <td>
              <!-- Each part brings its own separator, and the first one is dropped: a carrier
                   known only by tax number reads "P. IVA ...", with no comma before it. -->
              <xsl:variable name="name">
                <xsl:call-template name="person-name">
                  <xsl:with-param name="node" select="*[local-name()='Anagrafica']"/>
                </xsl:call-template>
              </xsl:variable>
              <xsl:variable name="parts">
                <xsl:if test="normalize-space($name) != ''"><xsl:value-of select="concat(', ', normalize-space($name))"/></xsl:if>
                <xsl:for-each select="*[local-name()='IdFiscaleIVA']">
                  <xsl:value-of select="concat(', P. IVA ', normalize-space(*[local-name()='IdPaese']), normalize-space(*[local-name()='IdCodice']))"/>
                </xsl:for-each>
                <xsl:for-each select="*[local-name()='CodiceFiscale'][normalize-space() != '']">
                  <xsl:value-of select="concat(', C.F. ', normalize-space())"/>
                </xsl:for-each>
                <xsl:for-each select="*[local-name()='NumeroLicenzaGuida'][normalize-space() != '']">
                  <xsl:value-of select="concat(', licenza di guida ', normalize-space())"/>
                </xsl:for-each>
              </xsl:variable>
              <xsl:value-of select="substring($parts, 3)"/>
            </td>
          </tr>
        </xsl:for-each>
        <xsl:call-template name="fact"><xsl:with-param name="label" select="'Mezzo di trasporto'"/><xsl:with-param name="value" select="$transport/*[local-name()='MezzoTrasporto']"/></xsl:call-template>
        <xsl:call-template name="fact"><xsl:with-param name="label" select="'Causale del trasporto'"/><xsl:with-param name="value" select="$transport/*[local-name()='CausaleTrasporto']"/></xsl:call-template>
        <xsl:call-template name="fact"><xsl:with-param name="label" select="'Numero colli'"/><xsl:with-param name="value" select="$transport/*[local-name()='NumeroColli']"/></xsl:call-template>
        <xsl:call-template name="fact"><xsl:with-param name="label" select="'Descrizione'"/><xsl:with-param name="value" select="$transport/*[local-name()='Descrizione']"/></xsl:call-template>
        <xsl:for-each select="$transport/*[local-name()='PesoLordo' or local-name()='PesoNetto']">
          <tr>
            <th>
              <xsl:choose>
                <xsl:when test="local-name() = 'PesoLordo'">Peso lordo</xsl:when>
                <xsl:otherwise>Peso netto</xsl:otherwise>
              </xsl:choose>
            </th>
            <td>
              <xsl:call-template name="amount"><xsl:with-param name="value" select="."/></xsl:call-template>
              <xsl:value-of select="concat(' ', ../*[local-name()='UnitaMisuraPeso'])"/>
            </td>
          </tr>
        </xsl:for-each>
        <xsl:for-each select="$transport/*[local-name()='DataOraRitiro' or local-name()='DataInizioTrasporto' or local-name()='DataOraConsegna']">
          <tr>
            <th>
              <xsl:choose>
                <xsl:when test="local-name() = 'DataOraRitiro'">Ritiro</xsl:when>
                <xsl:when test="local-name() = 'DataInizioTrasporto'">Inizio trasporto</xsl:when>
                <xsl:otherwise>Consegna</xsl:otherwise>
              </xsl:choose>
            </th>
            <td><xsl:call-template name="date"><xsl:with-param name="value" select="."/></xsl:call-template></td>
          </tr>
        </xsl:for-each>
        <xsl:call-template name="fact"><xsl:with-param name="label" select="'Resa'"/><xsl:with-param name="value" select="$transport/*[local-name()='TipoResa']"/></xsl:call-template>
        <xsl:for-each select="$transport/*[local-name()='IndirizzoResa']">
          <tr><th>Indirizzo di resa</th><td><xsl:call-template name="address"><xsl:with-param name="address" select="."/></xsl:call-template></td></tr>
        </xsl:for-each>
      </table>
    </xsl:if>
  </xsl:template>

  <xsl:template name="line-refs">
    <xsl:for-each select="*[local-name()='RiferimentoNumeroLinea']">
      <xsl:if test="position() &gt; 1"><xsl:text>, </xsl:text></xsl:if>
      <xsl:value-of select="."/>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="fact">
    <xsl:param name="label"/>
    <xsl:param name="value"/>
    <xsl:if test="normalize-space($value) != ''">
      <tr><th><xsl:value-of select="$label"/></th><td><xsl:value-of select="$value"/></td></tr>
    </xsl:if>
  </xsl:template>

  <!-- ============================================================ lines -->

  <xsl:template name="lines">
    <xsl:param name="lines"/>
    <xsl:param name="currency"/>
    <xsl:variable name="adjusted" select="$lines[*[local-name()='ScontoMaggiorazione']]"/>
    <h2>Dettaglio beni e servizi</h2>
    <table class="grid">
      <thead>
        <tr>
          <th class="center">N.</th>
          <th class="desc">Descrizione</th>
          <th class="num">Quantità</th>
          <th>U.M.</th>
          <th class="num">Prezzo unitario</th>
          <xsl:if test="$adjusted"><th class="num">Sconti / maggiorazioni</th></xsl:if>
          <th class="num">Importo</th>
          <th class="num">IVA</th>
        </tr>
      </thead>
      <tbody>
        <xsl:for-each select="$lines">
          <tr class="line">
            <td class="center"><xsl:value-of select="*[local-name()='NumeroLinea']"/></td>
            <td>
              <xsl:for-each select="*[local-name()='CodiceArticolo']">
                <div class="note">
                  <xsl:if test="normalize-space(*[local-name()='CodiceTipo']) != ''">
                    <xsl:value-of select="concat(normalize-space(*[local-name()='CodiceTipo']), ': ')"/>
                  </xsl:if>
                  <xsl:value-of select="normalize-space(*[local-name()='CodiceValore'])"/>
                </div>
              </xsl:for-each>
              <xsl:for-each select="*[local-name()='TipoCessionePrestazione']">
                <div class="note">
                  <xsl:variable name="kind" select="normalize-space(.)"/>
                  <xsl:choose>
                    <xsl:when test="$kind = 'SC'">Sconto</xsl:when>
                    <xsl:when test="$kind = 'PR'">Premio</xsl:when>
                    <xsl:when test="$kind = 'AB'">Abbuono</xsl:when>
                    <xsl:when test="$kind = 'AC'">Spesa accessoria</xsl:when>
                    <xsl:otherwise><xsl:value-of select="concat($kind, ' (codice non previsto)')"/></xsl:otherwise>
                  </xsl:choose>
                </div>
              </xsl:for-each>
              <xsl:value-of select="*[local-name()='Descrizione']"/>
              <xsl:if test="*[local-name()='DataInizioPeriodo' or local-name()='DataFinePeriodo']">
                <div class="note">
                  <xsl:text>Periodo</xsl:text>
                  <xsl:for-each select="*[local-name()='DataInizioPeriodo']">
                    <xsl:text> dal </xsl:text>
                    <xsl:call-template name="date"><xsl:with-param name="value" select="."/></xsl:call-template>
                  </xsl:for-each>
                  <xsl:for-each select="*[local-name()='DataFinePeriodo']">
                    <xsl:text> al </xsl:text>
                    <xsl:call-template name="date"><xsl:with-param name="value" select="."/></xsl:call-template>
                  </xsl:for-each>
                </div>
              </xsl:if>
              <xsl:for-each select="*[local-name()='RiferimentoAmministrazione']">
                <div class="note"><xsl:value-of select="concat('Rif. amministrazione: ', .)"/></div>
              </xsl:for-each>
              <xsl:if test="normalize-space(*[local-name()='Ritenuta']) = 'SI'">
                <div class="note">Soggetta a ritenuta</div>
              </xsl:if>
              <xsl:for-each select="*[local-name()='AltriDatiGestionali']">
                <div class="note">
                  <xsl:value-of select="normalize-space(*[local-name()='TipoDato'])"/>
                  <xsl:for-each select="*[local-name()='RiferimentoTesto']">
                    <xsl:if test="normalize-space(../*[local-name()='TipoDato']) != ''">: </xsl:if>
                    <xsl:value-of select="."/>
                  </xsl:for-each>
                  <xsl:for-each select="*[local-name()='RiferimentoNumero']">
                    <xsl:text> </xsl:text>
                    <xsl:call-template name="amount"><xsl:with-param name="value" select="."/></xsl:call-template>
                  </xsl:for-each>
                  <xsl:for-each select="*[local-name()='RiferimentoData']">
                    <xsl:text> </xsl:text>
                    <xsl:call-template name="date"><xsl:with-param name="value" select="."/></xsl:call-template>
                  </xsl:for-each>
                </div>
              </xsl:for-each>
            </td>
            <td class="num"><xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='Quantita']"/></xsl:call-template></td>
            <td><xsl:value-of select="*[local-name()='UnitaMisura']"/></td>
            <td class="num"><xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='PrezzoUnitario']"/></xsl:call-template></td>
            <xsl:if test="$adjusted">
              <td class="num">
                <xsl:for-each select="*[local-name()='ScontoMaggiorazione']">
                  <div><xsl:call-template name="adjustment"><xsl:with-param name="currency" select="$currency"/></xsl:call-template></div>
                </xsl:for-each>
              </td>
            </xsl:if>
            <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='PrezzoTotale']"/></xsl:call-template></td>
            <td class="num"><xsl:call-template name="rate-or-nature"/></td>
          </tr>
        </xsl:for-each>
      </tbody>
    </table>
  </xsl:template>

  <!-- A discount or surcharge: its kind (unless the label already says it), then its percentage
       and/or its amount; the amount carries the currency, so it cannot be read as a percentage. -->
  <xsl:template name="adjustment">
    <xsl:param name="currency"/>
    <xsl:param name="kind" select="true()"/>
    <xsl:variable name="type" select="normalize-space(*[local-name()='Tipo'])"/>
    <xsl:choose>
      <xsl:when test="$type = 'SC'"><xsl:if test="$kind">Sconto </xsl:if></xsl:when>
      <xsl:when test="$type = 'MG'"><xsl:if test="$kind">Maggiorazione </xsl:if></xsl:when>
      <xsl:otherwise><xsl:value-of select="concat($type, ' (codice non previsto) ')"/></xsl:otherwise>
    </xsl:choose>
    <xsl:for-each select="*[local-name()='Percentuale']">
      <xsl:call-template name="amount"><xsl:with-param name="value" select="."/></xsl:call-template>
      <xsl:text>%</xsl:text>
    </xsl:for-each>
    <xsl:if test="*[local-name()='Percentuale'] and *[local-name()='Importo']"><xsl:text> = </xsl:text></xsl:if>
    <xsl:for-each select="*[local-name()='Importo']">
      <xsl:if test="$currency != ''"><xsl:value-of select="concat($currency, ' ')"/></xsl:if>
      <xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="."/></xsl:call-template>
    </xsl:for-each>
  </xsl:template>

  <!-- The rate, or for a zero rate the nature code (its full description is in the VAT summary). -->
  <xsl:template name="rate-or-nature">
    <xsl:variable name="nature" select="normalize-space(*[local-name()='Natura'])"/>
    <xsl:choose>
      <xsl:when test="$nature != ''">
        <span class="code">
          <xsl:attribute name="title">
            <xsl:call-template name="describe"><xsl:with-param name="code" select="$nature"/><xsl:with-param name="table" select="'N'"/></xsl:call-template>
          </xsl:attribute>
          <xsl:value-of select="$nature"/>
        </span>
      </xsl:when>
      <xsl:otherwise>
        <xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='AliquotaIVA']"/></xsl:call-template>
        <xsl:text>%</xsl:text>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The simplified invoice: each DatiBeniServizi is one line, its amount including VAT, which is
       either stated or left to be worked out from the rate. -->
  <xsl:template name="simplified-lines">
    <xsl:param name="lines"/>
    <h2>Dettaglio beni e servizi</h2>
    <table class="grid">
      <thead>
        <tr>
          <th class="center">N.</th>
          <th>Descrizione</th>
          <th class="num">Importo (IVA inclusa)</th>
          <th class="num">Aliquota IVA</th>
          <th class="num">Imposta</th>
          <th>Natura</th>
        </tr>
      </thead>
      <tbody>
        <xsl:for-each select="$lines">
          <xsl:variable name="vat" select="*[local-name()='DatiIVA']"/>
          <tr class="line">
            <td class="center"><xsl:value-of select="position()"/></td>
            <td>
              <xsl:value-of select="*[local-name()='Descrizione']"/>
              <xsl:for-each select="*[local-name()='RiferimentoNormativo']">
                <div class="note"><xsl:value-of select="."/></div>
              </xsl:for-each>
            </td>
            <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='Importo']"/></xsl:call-template></td>
            <td class="num">
              <xsl:for-each select="$vat/*[local-name()='Aliquota']">
                <xsl:call-template name="amount"><xsl:with-param name="value" select="."/></xsl:call-template>
                <xsl:text>%</xsl:text>
              </xsl:for-each>
            </td>
            <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="$vat/*[local-name()='Imposta']"/></xsl:call-template></td>
            <td>
              <xsl:for-each select="*[local-name()='Natura']">
                <xsl:call-template name="coded"><xsl:with-param name="code" select="."/><xsl:with-param name="table" select="'N'"/></xsl:call-template>
              </xsl:for-each>
            </td>
          </tr>
        </xsl:for-each>
      </tbody>
    </table>
  </xsl:template>

  <!-- ============================================================ VAT summary -->

  <xsl:template name="vat-summary">
    <xsl:param name="rows"/>
    <xsl:variable name="extras" select="$rows[*[local-name()='SpeseAccessorie' or local-name()='Arrotondamento']]"/>
    <xsl:if test="$rows">
      <h2>Riepilogo IVA</h2>
      <table class="grid">
        <thead>
          <tr>
            <th class="num">Aliquota</th>
            <th>Natura</th>
            <xsl:if test="$extras">
              <th class="num">Spese accessorie</th>
              <th class="num">Arrotondamento</th>
            </xsl:if>
            <th class="num">Imponibile</th>
            <th class="num">Imposta</th>
            <th>Esigibilità</th>
            <th>Riferimento normativo</th>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="$rows">
            <tr>
              <td class="num">
                <xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='AliquotaIVA']"/></xsl:call-template>
                <xsl:text>%</xsl:text>
              </td>
              <td>
                <xsl:for-each select="*[local-name()='Natura']">
                  <xsl:call-template name="coded"><xsl:with-param name="code" select="."/><xsl:with-param name="table" select="'N'"/></xsl:call-template>
                </xsl:for-each>
              </td>
              <xsl:if test="$extras">
                <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='SpeseAccessorie']"/></xsl:call-template></td>
                <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='Arrotondamento']"/></xsl:call-template></td>
              </xsl:if>
              <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='ImponibileImporto']"/></xsl:call-template></td>
              <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='Imposta']"/></xsl:call-template></td>
              <td>
                <xsl:variable name="due" select="normalize-space(*[local-name()='EsigibilitaIVA'])"/>
                <xsl:choose>
                  <xsl:when test="$due = 'I'">immediata</xsl:when>
                  <xsl:when test="$due = 'D'">differita</xsl:when>
                  <xsl:when test="$due = 'S'">scissione dei pagamenti</xsl:when>
                  <xsl:when test="$due != ''"><xsl:value-of select="concat($due, ' (codice non previsto)')"/></xsl:when>
                </xsl:choose>
              </td>
              <td><xsl:value-of select="*[local-name()='RiferimentoNormativo']"/></td>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </xsl:if>
  </xsl:template>

  <!-- ============================================================ withholding, funds, stamp duty -->

  <xsl:template name="withholdings">
    <xsl:param name="rows"/>
    <xsl:if test="$rows">
      <h3>Ritenute</h3>
      <table class="grid small">
        <thead>
          <tr><th>Tipo</th><th class="num">Aliquota</th><th class="num">Importo</th><th>Causale pagamento</th></tr>
        </thead>
        <tbody>
          <xsl:for-each select="$rows">
            <tr>
              <td><xsl:call-template name="coded"><xsl:with-param name="code" select="*[local-name()='TipoRitenuta']"/><xsl:with-param name="table" select="'RT'"/></xsl:call-template></td>
              <td class="num">
                <xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='AliquotaRitenuta']"/></xsl:call-template>
                <xsl:text>%</xsl:text>
              </td>
              <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='ImportoRitenuta']"/></xsl:call-template></td>
              <td><xsl:value-of select="*[local-name()='CausalePagamento']"/></td>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </xsl:if>
  </xsl:template>

  <xsl:template name="funds">
    <xsl:param name="rows"/>
    <xsl:if test="$rows">
      <h3>Cassa previdenziale</h3>
      <table class="grid small">
        <thead>
          <tr>
            <th>Cassa</th><th class="num">Aliquota</th><th class="num">Imponibile</th><th class="num">Contributo</th>
            <th class="num">IVA</th><th>Note</th>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="$rows">
            <tr>
              <td><xsl:call-template name="coded"><xsl:with-param name="code" select="*[local-name()='TipoCassa']"/><xsl:with-param name="table" select="'TC'"/></xsl:call-template></td>
              <td class="num">
                <xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='AlCassa']"/></xsl:call-template>
                <xsl:text>%</xsl:text>
              </td>
              <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='ImponibileCassa']"/></xsl:call-template></td>
              <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='ImportoContributoCassa']"/></xsl:call-template></td>
              <td class="num">
                <xsl:call-template name="amount"><xsl:with-param name="value" select="*[local-name()='AliquotaIVA']"/></xsl:call-template>
                <xsl:text>%</xsl:text>
              </td>
              <td>
                <xsl:for-each select="*[local-name()='Natura']">
                  <div><xsl:call-template name="coded"><xsl:with-param name="code" select="."/><xsl:with-param name="table" select="'N'"/></xsl:call-template></div>
                </xsl:for-each>
                <xsl:if test="normalize-space(*[local-name()='Ritenuta']) = 'SI'"><div>Soggetto a ritenuta</div></xsl:if>
                <xsl:for-each select="*[local-name()='RiferimentoAmministrazione']">
                  <div><xsl:value-of select="concat('Rif. amministrazione: ', .)"/></div>
                </xsl:for-each>
              </td>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </xsl:if>
  </xsl:template>

  <!-- Stamp duty; discounts and surcharges on the whole document stand with the totals. -->
  <xsl:template name="document-adjustments">
    <xsl:param name="document"/>
    <xsl:param name="currency"/>
    <xsl:variable name="stamp" select="$document/*[local-name()='DatiBollo']"/>
    <xsl:if test="$stamp">
      <h3>Altri dati del documento</h3>
      <table class="facts small">
        <xsl:for-each select="$stamp">
          <tr>
            <th>Bollo</th>
            <td>
              <xsl:choose>
                <xsl:when test="normalize-space(*[local-name()='BolloVirtuale']) = 'SI'">Bollo virtuale</xsl:when>
                <xsl:when test="normalize-space(*[local-name()='BolloVirtuale']) != ''">
                  <xsl:value-of select="concat(normalize-space(*[local-name()='BolloVirtuale']), ' (codice non previsto)')"/>
                </xsl:when>
                <xsl:otherwise>Bollo</xsl:otherwise>
              </xsl:choose>
              <xsl:for-each select="*[local-name()='ImportoBollo']">
                <xsl:value-of select="concat(', importo ', $currency, ' ')"/>
                <xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="."/></xsl:call-template>
              </xsl:for-each>
            </td>
          </tr>
        </xsl:for-each>
      </table>
    </xsl:if>
  </xsl:template>

  <!-- ============================================================ totals -->

  <xsl:template name="totals">
    <xsl:param name="body"/>
    <xsl:param name="document"/>
    <xsl:param name="currency"/>
    <xsl:param name="simplified"/>
    <xsl:variable name="goods" select="$body/*[local-name()='DatiBeniServizi']"/>
    <xsl:variable name="summary" select="$goods/*[local-name()='DatiRiepilogo']"/>
    <xsl:variable name="stated" select="normalize-space($document/*[local-name()='ImportoTotaleDocumento'])"/>
    <xsl:variable name="withholding" select="$document/*[local-name()='DatiRitenuta']/*[local-name()='ImportoRitenuta']"/>
    <xsl:variable name="payments" select="$body/*[local-name()='DatiPagamento']"/>
    <div class="summary">
      <table class="totals">
        <xsl:choose>
          <xsl:when test="$simplified and $goods/*[local-name()='DatiIVA']/*[local-name()='Imposta']">
            <xsl:call-template name="total-row">
              <xsl:with-param name="label" select="'Imposta indicata'"/>
              <xsl:with-param name="value"><xsl:call-template name="sum-amounts"><xsl:with-param name="amounts" select="$goods/*[local-name()='DatiIVA']/*[local-name()='Imposta']"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="currency" select="$currency"/>
            </xsl:call-template>
          </xsl:when>
          <xsl:when test="$summary">
            <xsl:call-template name="total-row">
              <xsl:with-param name="label" select="'Totale imponibile'"/>
              <xsl:with-param name="value"><xsl:call-template name="sum-amounts"><xsl:with-param name="amounts" select="$summary/*[local-name()='ImponibileImporto']"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="currency" select="$currency"/>
            </xsl:call-template>
            <xsl:call-template name="total-row">
              <xsl:with-param name="label" select="'Totale imposta'"/>
              <xsl:with-param name="value"><xsl:call-template name="sum-amounts"><xsl:with-param name="amounts" select="$summary/*[local-name()='Imposta']"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="currency" select="$currency"/>
            </xsl:call-template>
          </xsl:when>
        </xsl:choose>
        <!-- A discount or surcharge on the whole document stands with the totals it changes. -->
        <xsl:for-each select="$document/*[local-name()='ScontoMaggiorazione']">
          <tr>
            <th>
              <xsl:choose>
                <xsl:when test="normalize-space(*[local-name()='Tipo']) = 'SC'">Sconto sul documento</xsl:when>
                <xsl:when test="normalize-space(*[local-name()='Tipo']) = 'MG'">Maggiorazione sul documento</xsl:when>
                <xsl:otherwise>Sconto / maggiorazione sul documento</xsl:otherwise>
              </xsl:choose>
            </th>
            <td>
              <xsl:call-template name="adjustment">
                <xsl:with-param name="currency" select="$currency"/>
                <xsl:with-param name="kind" select="false()"/>
              </xsl:call-template>
            </td>
          </tr>
        </xsl:for-each>
        <xsl:if test="$document/*[local-name()='Arrotondamento']">
          <xsl:call-template name="total-row">
            <xsl:with-param name="label" select="'Arrotondamento'"/>
            <xsl:with-param name="value" select="$document/*[local-name()='Arrotondamento']"/>
            <xsl:with-param name="currency" select="$currency"/>
          </xsl:call-template>
        </xsl:if>
        <xsl:call-template name="total-row">
          <xsl:with-param name="label" select="'Totale documento'"/>
          <xsl:with-param name="value">
            <xsl:choose>
              <xsl:when test="$stated != ''"><xsl:value-of select="$stated"/></xsl:when>
              <xsl:when test="$simplified">
                <xsl:call-template name="sum-amounts"><xsl:with-param name="amounts" select="$goods/*[local-name()='Importo']"/></xsl:call-template>
              </xsl:when>
              <xsl:when test="$summary">
                <xsl:call-template name="sum-amounts"><xsl:with-param name="amounts" select="$summary/*[local-name()='ImponibileImporto'] | $summary/*[local-name()='Imposta']"/></xsl:call-template>
              </xsl:when>
            </xsl:choose>
          </xsl:with-param>
          <xsl:with-param name="currency" select="$currency"/>
          <xsl:with-param name="class" select="'total'"/>
        </xsl:call-template>
        <xsl:if test="$withholding">
          <xsl:call-template name="total-row">
            <xsl:with-param name="label" select="'Ritenute'"/>
            <xsl:with-param name="value"><xsl:call-template name="sum-amounts"><xsl:with-param name="amounts" select="$withholding"/></xsl:call-template></xsl:with-param>
            <xsl:with-param name="currency" select="$currency"/>
          </xsl:call-template>
        </xsl:if>
        <!-- The amount payable only where the file makes it certain; it may differ from the
             document total (withholding, split payment, stamp duty, rounding), and that is no
             error. Rows that are alternatives are never added up. -->
        <xsl:if test="$payments/*[local-name()='DettaglioPagamento']/*[local-name()='ImportoPagamento']">
          <xsl:variable name="payable">
            <xsl:call-template name="payable-sum"><xsl:with-param name="blocks" select="$payments"/></xsl:call-template>
          </xsl:variable>
          <xsl:choose>
            <xsl:when test="$payable != ''">
              <xsl:call-template name="total-row">
                <xsl:with-param name="label" select="'Importo da pagare'"/>
                <xsl:with-param name="value"><xsl:call-template name="cents-text"><xsl:with-param name="cents" select="number($payable)"/></xsl:call-template></xsl:with-param>
                <xsl:with-param name="currency" select="$currency"/>
                <xsl:with-param name="class" select="'due'"/>
              </xsl:call-template>
            </xsl:when>
            <xsl:otherwise>
              <tr class="due"><th>Importo da pagare</th><td>vedi Pagamento</td></tr>
            </xsl:otherwise>
          </xsl:choose>
        </xsl:if>
      </table>
      <xsl:choose>
        <xsl:when test="$stated != ''"/>
        <xsl:when test="$simplified">
          <div class="note">Totale calcolato sommando gli importi delle righe, IVA inclusa.</div>
        </xsl:when>
        <xsl:when test="$summary">
          <div class="note">Il file non indica il totale del documento: è calcolato dal riepilogo IVA.</div>
        </xsl:when>
      </xsl:choose>
    </div>
  </xsl:template>

  <!-- One line of the totals: a decimal text shown to the cent, after the currency. -->
  <xsl:template name="total-row">
    <xsl:param name="label"/>
    <xsl:param name="value"/>
    <xsl:param name="currency"/>
    <xsl:param name="class" select="''"/>
    <tr>
      <xsl:if test="$class != ''"><xsl:attribute name="class"><xsl:value-of select="$class"/></xsl:attribute></xsl:if>
      <th><xsl:value-of select="$label"/></th>
      <td>
        <xsl:if test="$currency != '' and normalize-space($value) != ''"><xsl:value-of select="concat($currency, ' ')"/></xsl:if>
        <xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="$value"/></xsl:call-template>
      </td>
    </tr>
  </xsl:template>

  <!-- The sum of amounts as decimal text, exact to the cent; nothing when one is not a number. -->
  <xsl:template name="sum-amounts">
    <xsl:param name="amounts"/>
    <xsl:variable name="cents"><xsl:call-template name="sum-cents"><xsl:with-param name="amounts" select="$amounts"/></xsl:call-template></xsl:variable>
    <xsl:call-template name="cents-text"><xsl:with-param name="cents" select="number($cents)"/></xsl:call-template>
  </xsl:template>

  <!-- What one payment block (DatiPagamento) makes payable, in cents, or nothing when the file
       leaves it open. Under TP01 the rows are instalments and add up; under TP02 and TP03 each row
       is one way of paying the same block, so the figure is certain only when they agree. Every
       row must state its amount. -->
  <xsl:template name="block-payable">
    <xsl:param name="block"/>
    <xsl:variable name="rows" select="$block/*[local-name()='DettaglioPagamento']"/>
    <xsl:variable name="amounts" select="$rows/*[local-name()='ImportoPagamento'][1]"/>
    <xsl:variable name="terms" select="normalize-space($block/*[local-name()='CondizioniPagamento'])"/>
    <xsl:choose>
      <xsl:when test="not($rows) or count($amounts[string(number(normalize-space(.))) != 'NaN']) != count($rows)"/>
      <xsl:when test="count($rows) = 1 or $terms = 'TP01'">
        <xsl:call-template name="sum-cents"><xsl:with-param name="amounts" select="$amounts"/></xsl:call-template>
      </xsl:when>
      <xsl:when test="($terms = 'TP02' or $terms = 'TP03') and not($amounts[number(.) != number($amounts[1])])">
        <xsl:call-template name="cents"><xsl:with-param name="value" select="$amounts[1]"/></xsl:call-template>
      </xsl:when>
    </xsl:choose>
  </xsl:template>

  <!-- The payable figures of several blocks added up, in cents; nothing as soon as one is open. -->
  <xsl:template name="payable-sum">
    <xsl:param name="blocks"/>
    <xsl:choose>
      <xsl:when test="not($blocks)">0</xsl:when>
      <xsl:otherwise>
        <xsl:variable name="first"><xsl:call-template name="block-payable"><xsl:with-param name="block" select="$blocks[1]"/></xsl:call-template></xsl:variable>
        <xsl:variable name="rest"><xsl:call-template name="payable-sum"><xsl:with-param name="blocks" select="$blocks[position() &gt; 1]"/></xsl:call-template></xsl:variable>
        <xsl:if test="$first != '' and $rest != ''"><xsl:value-of select="number($first) + number($rest)"/></xsl:if>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- ============================================================ payment -->

  <xsl:template name="payments">
    <xsl:param name="payments"/>
    <xsl:param name="currency"/>
    <xsl:if test="$payments">
      <h2>Pagamento</h2>
      <xsl:for-each select="$payments">
        <xsl:variable name="rows" select="*[local-name()='DettaglioPagamento']"/>
        <xsl:variable name="terms" select="normalize-space(*[local-name()='CondizioniPagamento'])"/>
        <xsl:variable name="payable">
          <xsl:call-template name="block-payable"><xsl:with-param name="block" select="."/></xsl:call-template>
        </xsl:variable>
        <xsl:variable name="figure">
          <xsl:if test="$payable != ''">
            <xsl:if test="$currency != ''"><xsl:value-of select="concat($currency, ' ')"/></xsl:if>
            <xsl:call-template name="amount">
              <xsl:with-param name="value"><xsl:call-template name="cents-text"><xsl:with-param name="cents" select="number($payable)"/></xsl:call-template></xsl:with-param>
            </xsl:call-template>
          </xsl:if>
        </xsl:variable>
        <div class="small">
          <xsl:text>Condizioni: </xsl:text>
          <xsl:call-template name="coded"><xsl:with-param name="code" select="*[local-name()='CondizioniPagamento']"/><xsl:with-param name="table" select="'TP'"/></xsl:call-template>
        </div>
        <table class="grid small">
          <thead>
            <tr>
              <th>Modalità</th>
              <th>Scadenza</th>
              <th class="num">Importo</th>
              <th>Coordinate</th>
              <th>Beneficiario / quietanzante</th>
              <th>Altro</th>
            </tr>
          </thead>
          <tbody>
            <xsl:for-each select="*[local-name()='DettaglioPagamento']">
              <tr>
                <td><xsl:call-template name="coded"><xsl:with-param name="code" select="*[local-name()='ModalitaPagamento']"/><xsl:with-param name="table" select="'MP'"/></xsl:call-template></td>
                <td>
                  <xsl:call-template name="date"><xsl:with-param name="value" select="*[local-name()='DataScadenzaPagamento']"/></xsl:call-template>
                  <!-- The terms' start date is when the term begins to run, never the due date. -->
                  <xsl:variable name="days" select="normalize-space(*[local-name()='GiorniTerminiPagamento'])"/>
                  <xsl:variable name="from" select="*[local-name()='DataRiferimentoTerminiPagamento']"/>
                  <xsl:if test="$days != '' or normalize-space($from) != ''">
                    <div class="note">
                      <xsl:choose>
                        <xsl:when test="$days != ''"><xsl:value-of select="concat('Termini: ', $days, ' giorni')"/></xsl:when>
                        <xsl:otherwise>Termini decorrenti</xsl:otherwise>
                      </xsl:choose>
                      <xsl:if test="normalize-space($from) != ''">
                        <xsl:text> dal </xsl:text>
                        <xsl:call-template name="date"><xsl:with-param name="value" select="$from"/></xsl:call-template>
                      </xsl:if>
                    </div>
                  </xsl:if>
                </td>
                <td class="num"><xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="*[local-name()='ImportoPagamento']"/></xsl:call-template></td>
                <td>
                  <xsl:for-each select="*[local-name()='IstitutoFinanziario']"><div><xsl:value-of select="."/></div></xsl:for-each>
                  <xsl:for-each select="*[local-name()='IBAN']"><div><xsl:value-of select="concat('IBAN ', .)"/></div></xsl:for-each>
                  <xsl:if test="*[local-name()='ABI' or local-name()='CAB']">
                    <div><xsl:value-of select="normalize-space(concat('ABI ', *[local-name()='ABI'], ' CAB ', *[local-name()='CAB']))"/></div>
                  </xsl:if>
                  <xsl:for-each select="*[local-name()='BIC']"><div><xsl:value-of select="concat('BIC ', .)"/></div></xsl:for-each>
                  <xsl:for-each select="*[local-name()='CodUfficioPostale']"><div><xsl:value-of select="concat('Ufficio postale ', .)"/></div></xsl:for-each>
                </td>
                <td>
                  <xsl:for-each select="*[local-name()='Beneficiario']"><div><xsl:value-of select="."/></div></xsl:for-each>
                  <xsl:if test="*[local-name()='CognomeQuietanzante' or local-name()='NomeQuietanzante' or local-name()='CFQuietanzante']">
                    <div>
                      <xsl:text>Quietanzante: </xsl:text>
                      <xsl:for-each select="*[local-name()='TitoloQuietanzante' or local-name()='NomeQuietanzante' or local-name()='CognomeQuietanzante']">
                        <xsl:value-of select="concat(., ' ')"/>
                      </xsl:for-each>
                      <xsl:for-each select="*[local-name()='CFQuietanzante']">
                        <xsl:value-of select="concat('(', ., ')')"/>
                      </xsl:for-each>
                    </div>
                  </xsl:if>
                </td>
                <td>
                  <xsl:for-each select="*[local-name()='ScontoPagamentoAnticipato']">
                    <div>
                      <xsl:value-of select="concat('Sconto per pagamento anticipato ', $currency, ' ')"/>
                      <xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="."/></xsl:call-template>
                      <xsl:for-each select="../*[local-name()='DataLimitePagamentoAnticipato']">
                        <xsl:text> entro il </xsl:text>
                        <xsl:call-template name="date"><xsl:with-param name="value" select="."/></xsl:call-template>
                      </xsl:for-each>
                    </div>
                  </xsl:for-each>
                  <xsl:for-each select="*[local-name()='PenalitaPagamentiRitardati']">
                    <div>
                      <xsl:value-of select="concat('Penale per ritardo ', $currency, ' ')"/>
                      <xsl:call-template name="amount-rounded"><xsl:with-param name="value" select="."/></xsl:call-template>
                      <xsl:for-each select="../*[local-name()='DataDecorrenzaPenale']">
                        <xsl:text> dal </xsl:text>
                        <xsl:call-template name="date"><xsl:with-param name="value" select="."/></xsl:call-template>
                      </xsl:for-each>
                    </div>
                  </xsl:for-each>
                  <xsl:for-each select="*[local-name()='CodicePagamento']">
                    <div><xsl:value-of select="concat('Codice pagamento ', .)"/></div>
                  </xsl:for-each>
                </td>
              </tr>
            </xsl:for-each>
          </tbody>
        </table>
        <!-- What the block asks for as a whole: the reader must not add up alternatives. -->
        <div class="note">
          <xsl:choose>
            <xsl:when test="$payable != '' and count($rows) &gt; 1 and $terms = 'TP01'">
              <xsl:value-of select="concat('Totale delle rate: ', $figure)"/>
            </xsl:when>
            <xsl:when test="$payable != '' and count($rows) &gt; 1">
              <xsl:value-of select="concat('Modalità alternative per lo stesso importo: ', $figure, ', da pagare una sola volta')"/>
            </xsl:when>
            <xsl:when test="$payable != '' and count($payments) &gt; 1">
              <xsl:value-of select="concat('Importo di queste condizioni: ', $figure)"/>
            </xsl:when>
            <xsl:when test="$payable = '' and count($rows) &gt; 1 and ($terms = 'TP02' or $terms = 'TP03') and count($rows[string(number(normalize-space(*[local-name()='ImportoPagamento']))) != 'NaN']) = count($rows)">
              <xsl:text>Modalità alternative con importi diversi: l'importo da pagare è quello della modalità scelta.</xsl:text>
            </xsl:when>
          </xsl:choose>
        </div>
      </xsl:for-each>
    </xsl:if>
  </xsl:template>

  <!-- ============================================================ vehicles, attachments -->

  <xsl:template name="vehicles">
    <xsl:param name="data"/>
    <xsl:if test="$data">
      <h2>Mezzo di trasporto nuovo</h2>
      <table class="facts small">
        <tr>
          <th>Prima immatricolazione</th>
          <td><xsl:call-template name="date"><xsl:with-param name="value" select="$data/*[local-name()='Data']"/></xsl:call-template></td>
        </tr>
        <xsl:call-template name="fact">
          <xsl:with-param name="label" select="'Totale percorso'"/>
          <xsl:with-param name="value" select="$data/*[local-name()='TotalePercorso']"/>
        </xsl:call-template>
      </table>
    </xsl:if>
  </xsl:template>

  <xsl:template name="attachments">
    <xsl:param name="rows"/>
    <xsl:if test="$rows">
      <h2>Allegati</h2>
      <table class="grid small">
        <thead>
          <tr><th>Nome</th><th>Formato</th><th>Compressione</th><th>Descrizione</th></tr>
        </thead>
        <tbody>
          <xsl:for-each select="$rows">
            <tr class="attachment">
              <td><xsl:value-of select="*[local-name()='NomeAttachment']"/></td>
              <td><xsl:value-of select="*[local-name()='FormatoAttachment']"/></td>
              <td><xsl:value-of select="*[local-name()='AlgoritmoCompressione']"/></td>
              <td><xsl:value-of select="*[local-name()='DescrizioneAttachment']"/></td>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </xsl:if>
  </xsl:template>

  <!-- ============================================================ formatting -->

  <!-- 1234567.125 -> 1.234.567,125; keeps every decimal the file carries. Text that is not a number
       is shown as it is. -->
  <xsl:template name="amount">
    <xsl:param name="value"/>
    <xsl:variable name="v" select="normalize-space($value)"/>
    <xsl:choose>
      <xsl:when test="$v = ''"/>
      <xsl:when test="string(number($v)) = 'NaN'"><xsl:value-of select="$v"/></xsl:when>
      <xsl:otherwise>
        <xsl:variable name="sign">
          <xsl:if test="starts-with($v, '-')">-</xsl:if>
        </xsl:variable>
        <xsl:variable name="unsigned">
          <xsl:choose>
            <xsl:when test="starts-with($v, '-') or starts-with($v, '+')"><xsl:value-of select="substring($v, 2)"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="$v"/></xsl:otherwise>
          </xsl:choose>
        </xsl:variable>
        <xsl:variable name="whole">
          <xsl:choose>
            <xsl:when test="contains($unsigned, '.')"><xsl:value-of select="substring-before($unsigned, '.')"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="$unsigned"/></xsl:otherwise>
          </xsl:choose>
        </xsl:variable>
        <xsl:value-of select="$sign"/>
        <xsl:choose>
          <xsl:when test="$whole = ''">0</xsl:when>
          <xsl:otherwise>
            <xsl:call-template name="thousands"><xsl:with-param name="digits" select="$whole"/></xsl:call-template>
          </xsl:otherwise>
        </xsl:choose>
        <xsl:if test="contains($unsigned, '.')">
          <xsl:value-of select="concat(',', substring-after($unsigned, '.'))"/>
        </xsl:if>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- An amount column: two decimals, rounded half away from zero on the decimal text itself, so
       that every XSLT engine shows the same digits (binary arithmetic would round 2.675 down).
       12.34567891 -> 12,35; -0.005 -> -0,01; 9.999 -> 10,00. -->
  <xsl:template name="amount-rounded">
    <xsl:param name="value"/>
    <xsl:variable name="v" select="normalize-space($value)"/>
    <xsl:choose>
      <xsl:when test="$v = ''"/>
      <xsl:when test="string(number($v)) = 'NaN'"><xsl:value-of select="$v"/></xsl:when>
      <xsl:otherwise>
        <xsl:call-template name="amount">
          <xsl:with-param name="value"><xsl:call-template name="round-cents"><xsl:with-param name="value" select="$v"/></xsl:call-template></xsl:with-param>
        </xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- A number's text rounded to two decimals, as plain decimal text: "-12.35". Expects a number. -->
  <xsl:template name="round-cents">
    <xsl:param name="value"/>
    <xsl:variable name="v" select="normalize-space($value)"/>
    <xsl:variable name="unsigned">
      <xsl:choose>
        <xsl:when test="starts-with($v, '-') or starts-with($v, '+')"><xsl:value-of select="substring($v, 2)"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="$v"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:variable name="whole">
      <xsl:choose>
        <xsl:when test="contains($unsigned, '.')"><xsl:value-of select="concat('0', substring-before($unsigned, '.'))"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="concat('0', $unsigned)"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:variable name="fraction" select="substring-after($unsigned, '.')"/>
    <xsl:variable name="truncated" select="concat($whole, substring(concat($fraction, '00'), 1, 2))"/>
    <xsl:variable name="digits">
      <xsl:choose>
        <xsl:when test="number(substring($fraction, 3, 1)) &gt;= 5">
          <xsl:call-template name="increment"><xsl:with-param name="digits" select="$truncated"/></xsl:call-template>
        </xsl:when>
        <xsl:otherwise><xsl:value-of select="$truncated"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:call-template name="cents-text">
      <xsl:with-param name="cents" select="number($digits)"/>
      <xsl:with-param name="negative" select="starts-with($v, '-')"/>
    </xsl:call-template>
  </xsl:template>

  <!-- A string of decimal digits plus one, carrying to the left: "0999" -> "1000". -->
  <xsl:template name="increment">
    <xsl:param name="digits"/>
    <xsl:variable name="n" select="string-length($digits)"/>
    <xsl:variable name="last" select="substring($digits, $n, 1)"/>
    <xsl:choose>
      <xsl:when test="$n = 0">1</xsl:when>
      <xsl:when test="$last = '9'">
        <xsl:call-template name="increment"><xsl:with-param name="digits" select="substring($digits, 1, $n - 1)"/></xsl:call-template>
        <xsl:text>0</xsl:text>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="concat(substring($digits, 1, $n - 1), number($last) + 1)"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- A whole number of cents as decimal text: 123456 -> "1234.56", -5 -> "-0.05". Zero has no sign;
       NaN gives nothing. XPath writes integers without exponent, so the digits are exact up to 2^53. -->
  <xsl:template name="cents-text">
    <xsl:param name="cents"/>
    <xsl:param name="negative" select="$cents &lt; 0"/>
    <xsl:if test="string(number($cents)) != 'NaN'">
      <xsl:variable name="magnitude">
        <xsl:choose>
          <xsl:when test="$cents &lt; 0"><xsl:value-of select="-$cents"/></xsl:when>
          <xsl:otherwise><xsl:value-of select="$cents"/></xsl:otherwise>
        </xsl:choose>
      </xsl:variable>
      <xsl:variable name="padded" select="concat(substring('00', string-length($magnitude)), $magnitude)"/>
      <xsl:variable name="n" select="string-length($padded)"/>
      <xsl:if test="$negative and $magnitude != 0">-</xsl:if>
      <xsl:value-of select="concat(substring($padded, 1, $n - 2), '.', substring($padded, $n - 1))"/>
    </xsl:if>
  </xsl:template>

  <!-- The value of an amount in whole cents, rounded as amount columns show it; NaN when the text
       is not a number. -->
  <xsl:template name="cents">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="string(number(normalize-space($value))) = 'NaN'">NaN</xsl:when>
      <xsl:otherwise>
        <xsl:variable name="text"><xsl:call-template name="round-cents"><xsl:with-param name="value" select="$value"/></xsl:call-template></xsl:variable>
        <xsl:value-of select="number(translate($text, '.', ''))"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The sum of amounts in whole cents: each rounded to the cent, then added as integers, which
       binary arithmetic does exactly. Halves the list at each step, so a long list recurses only
       as deep as its logarithm. NaN when any amount is not a number; 0 for none. -->
  <xsl:template name="sum-cents">
    <xsl:param name="amounts"/>
    <xsl:variable name="n" select="count($amounts)"/>
    <xsl:choose>
      <xsl:when test="$n = 0">0</xsl:when>
      <xsl:when test="$n = 1"><xsl:call-template name="cents"><xsl:with-param name="value" select="$amounts"/></xsl:call-template></xsl:when>
      <xsl:otherwise>
        <xsl:variable name="half" select="floor($n div 2)"/>
        <xsl:variable name="first"><xsl:call-template name="sum-cents"><xsl:with-param name="amounts" select="$amounts[position() &lt;= $half]"/></xsl:call-template></xsl:variable>
        <xsl:variable name="second"><xsl:call-template name="sum-cents"><xsl:with-param name="amounts" select="$amounts[position() &gt; $half]"/></xsl:call-template></xsl:variable>
        <xsl:value-of select="number($first) + number($second)"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="thousands">
    <xsl:param name="digits"/>
    <xsl:variable name="n" select="string-length($digits)"/>
    <xsl:choose>
      <xsl:when test="$n &gt; 3">
        <xsl:call-template name="thousands"><xsl:with-param name="digits" select="substring($digits, 1, $n - 3)"/></xsl:call-template>
        <xsl:value-of select="concat('.', substring($digits, $n - 2))"/>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$digits"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- 2017-01-18 -> 18/01/2017; a date and time also shows hours and minutes. -->
  <xsl:template name="date">
    <xsl:param name="value"/>
    <xsl:variable name="v" select="normalize-space($value)"/>
    <xsl:choose>
      <xsl:when test="string-length($v) &gt;= 10 and substring($v, 5, 1) = '-' and substring($v, 8, 1) = '-'">
        <xsl:value-of select="concat(substring($v, 9, 2), '/', substring($v, 6, 2), '/', substring($v, 1, 4))"/>
        <xsl:if test="substring($v, 11, 1) = 'T' and string-length($v) &gt;= 16">
          <xsl:value-of select="concat(' ', substring($v, 12, 5))"/>
        </xsl:if>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$v"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- ============================================================ codes -->

  <!-- A code followed by its description: "TD01 Fattura". A code its table does not list is shown
       as it stands and said to be unexpected, never passed off as a known one. -->
  <xsl:template name="coded">
    <xsl:param name="code"/>
    <xsl:param name="table"/>
    <xsl:variable name="c" select="normalize-space($code)"/>
    <xsl:if test="$c != ''">
      <span class="code"><xsl:value-of select="$c"/></span>
      <xsl:variable name="text">
        <xsl:call-template name="describe">
          <xsl:with-param name="code" select="$c"/>
          <xsl:with-param name="table" select="$table"/>
        </xsl:call-template>
      </xsl:variable>
      <xsl:choose>
        <xsl:when test="string($text) != ''"><xsl:value-of select="concat(' ', $text)"/></xsl:when>
        <xsl:otherwise><xsl:text> (codice non previsto)</xsl:text></xsl:otherwise>
      </xsl:choose>
    </xsl:if>
  </xsl:template>

  <!-- The descriptions of the FatturaPA technical specifications' code lists. Each table's codes
       begin with the table's own prefix (TD, N, RF, TP, MP, RT, TC), so a code from another table
       finds no description. -->
  <xsl:template name="describe">
    <xsl:param name="code"/>
    <xsl:param name="table"/>
    <xsl:param name="fallback" select="''"/>
    <xsl:choose>
      <xsl:when test="not(starts-with($code, $table))"><xsl:value-of select="$fallback"/></xsl:when>
      <!-- Tipo documento -->
      <xsl:when test="$code = 'TD01'">Fattura</xsl:when>
      <xsl:when test="$code = 'TD02'">Acconto/anticipo su fattura</xsl:when>
      <xsl:when test="$code = 'TD03'">Acconto/anticipo su parcella</xsl:when>
      <xsl:when test="$code = 'TD04'">Nota di credito</xsl:when>
      <xsl:when test="$code = 'TD05'">Nota di debito</xsl:when>
      <xsl:when test="$code = 'TD06'">Parcella</xsl:when>
      <xsl:when test="$code = 'TD07'">Fattura semplificata</xsl:when>
      <xsl:when test="$code = 'TD08'">Nota di credito semplificata</xsl:when>
      <xsl:when test="$code = 'TD09'">Nota di debito semplificata</xsl:when>
      <xsl:when test="$code = 'TD10'">Fattura di acquisto intracomunitario beni</xsl:when>
      <xsl:when test="$code = 'TD11'">Fattura di acquisto intracomunitario servizi</xsl:when>
      <xsl:when test="$code = 'TD12'">Documento riepilogativo (art. 6, DPR 695/1996)</xsl:when>
      <xsl:when test="$code = 'TD16'">Integrazione fattura reverse charge interno</xsl:when>
      <xsl:when test="$code = 'TD17'">Integrazione/autofattura per acquisto servizi dall'estero</xsl:when>
      <xsl:when test="$code = 'TD18'">Integrazione per acquisto di beni intracomunitari</xsl:when>
      <xsl:when test="$code = 'TD19'">Integrazione/autofattura per acquisto di beni ex art. 17 c. 2 DPR 633/72</xsl:when>
      <xsl:when test="$code = 'TD20'">Autofattura per regolarizzazione e integrazione delle fatture (ex art. 6 c. 8 e 9-bis D.Lgs. 471/97 o art. 46 c. 5 D.L. 331/93)</xsl:when>
      <xsl:when test="$code = 'TD21'">Autofattura per splafonamento</xsl:when>
      <xsl:when test="$code = 'TD22'">Estrazione beni da Deposito IVA</xsl:when>
      <xsl:when test="$code = 'TD23'">Estrazione beni da Deposito IVA con versamento dell'IVA</xsl:when>
      <xsl:when test="$code = 'TD24'">Fattura differita di cui all'art. 21, comma 4, lett. a)</xsl:when>
      <xsl:when test="$code = 'TD25'">Fattura differita di cui all'art. 21, comma 4, terzo periodo lett. b)</xsl:when>
      <xsl:when test="$code = 'TD26'">Cessione di beni ammortizzabili e per passaggi interni (ex art. 36 DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'TD27'">Fattura per autoconsumo o per cessioni gratuite senza rivalsa</xsl:when>
      <xsl:when test="$code = 'TD28'">Acquisti da San Marino con IVA (fattura cartacea)</xsl:when>
      <xsl:when test="$code = 'TD29'">Comunicazione per omessa o irregolare fatturazione (art. 6, comma 8, D.Lgs. 471/97)</xsl:when>
      <!-- Natura -->
      <xsl:when test="$code = 'N1'">Escluse ex art. 15 del DPR 633/72</xsl:when>
      <xsl:when test="$code = 'N2'">Non soggette</xsl:when>
      <xsl:when test="$code = 'N2.1'">Non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72</xsl:when>
      <xsl:when test="$code = 'N2.2'">Non soggette - altri casi</xsl:when>
      <xsl:when test="$code = 'N3'">Non imponibili</xsl:when>
      <xsl:when test="$code = 'N3.1'">Non imponibili - esportazioni</xsl:when>
      <xsl:when test="$code = 'N3.2'">Non imponibili - cessioni intracomunitarie</xsl:when>
      <xsl:when test="$code = 'N3.3'">Non imponibili - cessioni verso San Marino</xsl:when>
      <xsl:when test="$code = 'N3.4'">Non imponibili - operazioni assimilate alle cessioni all'esportazione</xsl:when>
      <xsl:when test="$code = 'N3.5'">Non imponibili - a seguito di dichiarazioni d'intento</xsl:when>
      <xsl:when test="$code = 'N3.6'">Non imponibili - altre operazioni che non concorrono alla formazione del plafond</xsl:when>
      <xsl:when test="$code = 'N4'">Esenti</xsl:when>
      <xsl:when test="$code = 'N5'">Regime del margine / IVA non esposta in fattura</xsl:when>
      <xsl:when test="$code = 'N6'">Inversione contabile (per le operazioni in reverse charge ovvero nei casi di autofatturazione per acquisti extra UE di servizi ovvero per importazioni di beni nei soli casi previsti)</xsl:when>
      <xsl:when test="$code = 'N6.1'">Inversione contabile - cessione di rottami e altri materiali di recupero</xsl:when>
      <xsl:when test="$code = 'N6.2'">Inversione contabile - cessione di oro e argento puro</xsl:when>
      <xsl:when test="$code = 'N6.3'">Inversione contabile - subappalto nel settore edile</xsl:when>
      <xsl:when test="$code = 'N6.4'">Inversione contabile - cessione di fabbricati</xsl:when>
      <xsl:when test="$code = 'N6.5'">Inversione contabile - cessione di telefoni cellulari</xsl:when>
      <xsl:when test="$code = 'N6.6'">Inversione contabile - cessione di prodotti elettronici</xsl:when>
      <xsl:when test="$code = 'N6.7'">Inversione contabile - prestazioni comparto edile e settori connessi</xsl:when>
      <xsl:when test="$code = 'N6.8'">Inversione contabile - operazioni settore energetico</xsl:when>
      <xsl:when test="$code = 'N6.9'">Inversione contabile - altri casi</xsl:when>
      <xsl:when test="$code = 'N7'">IVA assolta in altro stato UE (vendite a distanza ex art. 40 c. 3 e 4 e art. 41 c. 1 lett. b, DL 331/93; prestazione di servizi di telecomunicazioni, tele-radiodiffusione ed elettronici ex art. 7-sexies lett. f, g, art. 74-sexies DPR 633/72)</xsl:when>
      <!-- Regime fiscale -->
      <xsl:when test="$code = 'RF01'">Ordinario</xsl:when>
      <xsl:when test="$code = 'RF02'">Contribuenti minimi (art. 1, c. 96-117, L. 244/07)</xsl:when>
      <xsl:when test="$code = 'RF03'">Nuove iniziative produttive (art. 13, L. 388/00)</xsl:when>
      <xsl:when test="$code = 'RF04'">Agricoltura e attività connesse e pesca (artt. 34 e 34-bis, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF05'">Vendita sali e tabacchi (art. 74, c. 1, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF06'">Commercio fiammiferi (art. 74, c. 1, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF07'">Editoria (art. 74, c. 1, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF08'">Gestione servizi telefonia pubblica (art. 74, c. 1, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF09'">Rivendita documenti di trasporto pubblico e di sosta (art. 74, c. 1, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF10'">Intrattenimenti, giochi e altre attività di cui alla tariffa allegata al DPR 640/72 (art. 74, c. 6, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF11'">Agenzie viaggi e turismo (art. 74-ter, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF12'">Agriturismo (art. 5, c. 2, L. 413/91)</xsl:when>
      <xsl:when test="$code = 'RF13'">Vendite a domicilio (art. 25-bis, c. 6, DPR 600/73)</xsl:when>
      <xsl:when test="$code = 'RF14'">Rivendita beni usati, oggetti d'arte, d'antiquariato o da collezione (art. 36, DL 41/95)</xsl:when>
      <xsl:when test="$code = 'RF15'">Agenzie di vendite all'asta di oggetti d'arte, antiquariato o da collezione (art. 40-bis, DL 41/95)</xsl:when>
      <xsl:when test="$code = 'RF16'">IVA per cassa P.A. (art. 6, c. 5, DPR 633/72)</xsl:when>
      <xsl:when test="$code = 'RF17'">IVA per cassa (art. 32-bis, DL 83/2012)</xsl:when>
      <xsl:when test="$code = 'RF18'">Altro</xsl:when>
      <xsl:when test="$code = 'RF19'">Forfettario (art. 1, c. 54-89, L. 190/2014)</xsl:when>
      <xsl:when test="$code = 'RF20'">Regime transfrontaliero di Franchigia IVA (Direttiva UE 2020/285)</xsl:when>
      <!-- Condizioni di pagamento -->
      <xsl:when test="$code = 'TP01'">Pagamento a rate</xsl:when>
      <xsl:when test="$code = 'TP02'">Pagamento completo</xsl:when>
      <xsl:when test="$code = 'TP03'">Anticipo</xsl:when>
      <!-- Modalità di pagamento -->
      <xsl:when test="$code = 'MP01'">Contanti</xsl:when>
      <xsl:when test="$code = 'MP02'">Assegno</xsl:when>
      <xsl:when test="$code = 'MP03'">Assegno circolare</xsl:when>
      <xsl:when test="$code = 'MP04'">Contanti presso Tesoreria</xsl:when>
      <xsl:when test="$code = 'MP05'">Bonifico</xsl:when>
      <xsl:when test="$code = 'MP06'">Vaglia cambiario</xsl:when>
      <xsl:when test="$code = 'MP07'">Bollettino bancario</xsl:when>
      <xsl:when test="$code = 'MP08'">Carta di pagamento</xsl:when>
      <xsl:when test="$code = 'MP09'">RID</xsl:when>
      <xsl:when test="$code = 'MP10'">RID utenze</xsl:when>
      <xsl:when test="$code = 'MP11'">RID veloce</xsl:when>
      <xsl:when test="$code = 'MP12'">RIBA</xsl:when>
      <xsl:when test="$code = 'MP13'">MAV</xsl:when>
      <xsl:when test="$code = 'MP14'">Quietanza erario</xsl:when>
      <xsl:when test="$code = 'MP15'">Giroconto su conti di contabilità speciale</xsl:when>
      <xsl:when test="$code = 'MP16'">Domiciliazione bancaria</xsl:when>
      <xsl:when test="$code = 'MP17'">Domiciliazione postale</xsl:when>
      <xsl:when test="$code = 'MP18'">Bollettino di c/c postale</xsl:when>
      <xsl:when test="$code = 'MP19'">SEPA Direct Debit</xsl:when>
      <xsl:when test="$code = 'MP20'">SEPA Direct Debit CORE</xsl:when>
      <xsl:when test="$code = 'MP21'">SEPA Direct Debit B2B</xsl:when>
      <xsl:when test="$code = 'MP22'">Trattenuta su somme già riscosse</xsl:when>
      <xsl:when test="$code = 'MP23'">PagoPA</xsl:when>
      <!-- Tipo ritenuta -->
      <xsl:when test="$code = 'RT01'">Ritenuta persone fisiche</xsl:when>
      <xsl:when test="$code = 'RT02'">Ritenuta persone giuridiche</xsl:when>
      <xsl:when test="$code = 'RT03'">Contributo INPS</xsl:when>
      <xsl:when test="$code = 'RT04'">Contributo ENASARCO</xsl:when>
      <xsl:when test="$code = 'RT05'">Contributo ENPAM</xsl:when>
      <xsl:when test="$code = 'RT06'">Altro contributo previdenziale</xsl:when>
      <!-- Tipo cassa -->
      <xsl:when test="$code = 'TC01'">Cassa nazionale previdenza e assistenza avvocati e procuratori legali</xsl:when>
      <xsl:when test="$code = 'TC02'">Cassa previdenza dottori commercialisti</xsl:when>
      <xsl:when test="$code = 'TC03'">Cassa previdenza e assistenza geometri</xsl:when>
      <xsl:when test="$code = 'TC04'">Cassa nazionale previdenza e assistenza ingegneri e architetti liberi professionisti</xsl:when>
      <xsl:when test="$code = 'TC05'">Cassa nazionale del notariato</xsl:when>
      <xsl:when test="$code = 'TC06'">Cassa nazionale previdenza e assistenza ragionieri e periti commerciali</xsl:when>
      <xsl:when test="$code = 'TC07'">Ente nazionale assistenza agenti e rappresentanti di commercio (ENASARCO)</xsl:when>
      <xsl:when test="$code = 'TC08'">Ente nazionale previdenza e assistenza consulenti del lavoro (ENPACL)</xsl:when>
      <xsl:when test="$code = 'TC09'">Ente nazionale previdenza e assistenza medici (ENPAM)</xsl:when>
      <xsl:when test="$code = 'TC10'">Ente nazionale previdenza e assistenza farmacisti (ENPAF)</xsl:when>
      <xsl:when test="$code = 'TC11'">Ente nazionale previdenza e assistenza veterinari (ENPAV)</xsl:when>
      <xsl:when test="$code = 'TC12'">Ente nazionale previdenza e assistenza impiegati dell'agricoltura (ENPAIA)</xsl:when>
      <xsl:when test="$code = 'TC13'">Fondo previdenza impiegati imprese di spedizione e agenzie marittime</xsl:when>
      <xsl:when test="$code = 'TC14'">Istituto nazionale previdenza giornalisti italiani (INPGI)</xsl:when>
      <xsl:when test="$code = 'TC15'">Opera nazionale assistenza orfani sanitari italiani (ONAOSI)</xsl:when>
      <xsl:when test="$code = 'TC16'">Cassa autonoma assistenza integrativa giornalisti italiani (CASAGIT)</xsl:when>
      <xsl:when test="$code = 'TC17'">Ente previdenza periti industriali e periti industriali laureati (EPPI)</xsl:when>
      <xsl:when test="$code = 'TC18'">Ente previdenza e assistenza pluricategoriale (EPAP)</xsl:when>
      <xsl:when test="$code = 'TC19'">Ente nazionale previdenza e assistenza biologi (ENPAB)</xsl:when>
      <xsl:when test="$code = 'TC20'">Ente nazionale previdenza e assistenza professione infermieristica (ENPAPI)</xsl:when>
      <xsl:when test="$code = 'TC21'">Ente nazionale previdenza e assistenza psicologi (ENPAP)</xsl:when>
      <xsl:when test="$code = 'TC22'">INPS</xsl:when>
      <xsl:otherwise><xsl:value-of select="$fallback"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
