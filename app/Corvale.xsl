<?xml version="1.0" encoding="UTF-8"?>
<!-- A first, plain rendering of an invoice: who, what number, which date, how much. Element names
     are matched by local name, so any namespace prefix (or none) works. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes"/>

  <xsl:template match="/">
    <html>
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <title>Fattura elettronica</title>
        <style>
          body { font-family: Verdana, Arial, sans-serif; font-size: 10pt; margin: 16px; }
          h1 { font-size: 14pt; }
          th { text-align: left; padding-right: 12px; }
        </style>
      </head>
      <body>
        <h1>Fattura elettronica</h1>
        <xsl:for-each select="//*[local-name()='FatturaElettronicaBody']">
          <xsl:variable name="general" select="*[local-name()='DatiGenerali']/*[local-name()='DatiGeneraliDocumento']"/>
          <table>
            <tr><th>Cedente</th><td><xsl:value-of select="../*[local-name()='FatturaElettronicaHeader']/*[local-name()='CedentePrestatore']//*[local-name()='Anagrafica']"/></td></tr>
            <tr><th>Cessionario</th><td><xsl:value-of select="../*[local-name()='FatturaElettronicaHeader']/*[local-name()='CessionarioCommittente']//*[local-name()='Anagrafica']"/></td></tr>
            <tr><th>Numero</th><td><xsl:value-of select="$general/*[local-name()='Numero']"/></td></tr>
            <tr><th>Data</th><td><xsl:value-of select="$general/*[local-name()='Data']"/></td></tr>
            <tr><th>Totale</th><td><xsl:value-of select="$general/*[local-name()='ImportoTotaleDocumento']"/></td></tr>
          </table>
          <hr/>
        </xsl:for-each>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
